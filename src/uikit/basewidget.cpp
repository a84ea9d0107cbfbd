#include "basewidget.h"

#include "corvaneresources.h"
#include "panelshadow.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>

namespace {
// The rounded style names the radius twice; the last value is the one used.
const char RoundedStyle[] = "QWidget#%1{ background-color:%2;                                    "
                            "border-radius:8px;border-radius: 10px;}";
const char SquareStyle[] =
    "QWidget#%1{ background-color:%2;                                        }";
// The shadow follows the rounded style's corners.
const qreal CornerRadius = 10;
const qreal ShadowBlur = 35;
} // namespace

BaseWidget::BaseWidget(QWidget *parent) : QWidget(parent)
{
    initCorvaneResources();
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Window);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("baseWidgetPanel"));
    applyPanelStyle();
}

void BaseWidget::setBackgroundColor(const QString &color)
{
    m_backgroundColor = color;
    applyPanelStyle();
}

bool BaseWidget::fillsScreen() const
{
    return isMaximized() || isFullScreen();
}

void BaseWidget::applyPanelStyle()
{
    const char *style = fillsScreen() ? SquareStyle : RoundedStyle;
    const QString sheet = QString::fromLatin1(style).arg(m_panel->objectName(), m_backgroundColor);
    // Setting a sheet restyles every widget in the window, so a resize that keeps the shape
    // must not set the same text again.
    if (sheet != m_panel->styleSheet())
        m_panel->setStyleSheet(sheet);
}

void BaseWidget::mousePressEvent(QMouseEvent *event)
{
    if (!fillsScreen() && event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressGlobal = event->globalPos();
        m_windowAtPress = frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void BaseWidget::mouseMoveEvent(QMouseEvent *event)
{
    // A window that was maximised mid-drag stays where the window manager put it.
    if (m_dragging && !fillsScreen() && (event->buttons() & Qt::LeftButton))
        move(m_windowAtPress + (event->globalPos() - m_pressGlobal));
    QWidget::mouseMoveEvent(event);
}

void BaseWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void BaseWidget::paintEvent(QPaintEvent *event)
{
    // The panel paints itself; the window around it shows only the shadow. Painting it here
    // rather than through a graphics effect on the panel spares a blur of the whole panel on every
    // repaint of anything inside it.
    if (fillsScreen())
        return;
    static const PanelShadow shadow(ShadowBlur, QColor(19, 106, 103), CornerRadius);
    QPainter painter(this);
    shadow.paint(&painter, m_panel->geometry(), event->rect());
}

void BaseWidget::resizeEvent(QResizeEvent *event)
{
    applyPanelStyle();
    if (fillsScreen()) {
        m_panel->setGeometry(0, 0, width(), height());
    } else {
        m_panel->setGeometry(ShadowMargin, ShadowMargin, qMax(0, width() - 2 * ShadowMargin),
                             qMax(0, height() - 2 * ShadowMargin));
    }
    QWidget::resizeEvent(event);
}
