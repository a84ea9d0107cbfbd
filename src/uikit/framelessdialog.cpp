#include "framelessdialog.h"

#include "corvaneresources.h"
#include "dialogplacement.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {
// Every dialog's panel is rounded by its form's style sheet with this radius.
const qreal PanelCornerRadius = 10;
} // namespace

FramelessDialog::FramelessDialog(QWidget *parent, Qt::WindowFlags extraFlags) : QDialog(parent)
{
    initCorvaneResources();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | extraFlags);
    setAttribute(Qt::WA_TranslucentBackground);
}

void FramelessDialog::applyShadow(QWidget *panel, qreal blurRadius)
{
    if (m_shadowPanel)
        m_shadowPanel->removeEventFilter(this);
    m_shadowPanel = panel;
    m_shadow = PanelShadow(blurRadius, QColor(19, 106, 103), PanelCornerRadius);
    // The dialog paints the shadow, so it follows the panel as the layout moves or resizes it.
    if (panel)
        panel->installEventFilter(this);
    update();
}

void FramelessDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!m_shadowPanel || !m_shadowPanel->isVisible() || !isAncestorOf(m_shadowPanel))
        return;
    const QRect panelRect(m_shadowPanel->mapTo(this, QPoint(0, 0)), m_shadowPanel->size());
    QPainter painter(this);
    m_shadow.paint(&painter, panelRect, event->rect());
}

bool FramelessDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_shadowPanel.data()) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            update();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FramelessDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressGlobal = event->globalPos();
        m_windowAtPress = frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void FramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(m_windowAtPress + (event->globalPos() - m_pressGlobal));
    QDialog::mouseMoveEvent(event);
}

void FramelessDialog::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void FramelessDialog::setVisible(bool visible)
{
    if (visible && !testAttribute(Qt::WA_Moved))
        placeBeforeShowing(this);
    QDialog::setVisible(visible);
}

void FramelessDialog::setEnterButton(QPushButton *button)
{
    const QList<QPushButton *> buttons = findChildren<QPushButton *>();
    for (QPushButton *b : buttons)
        b->setAutoDefault(true);
    button->setDefault(true);
    button->setFocus();
}
