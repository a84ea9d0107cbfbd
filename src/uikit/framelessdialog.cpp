#include "framelessdialog.h"

#include "corvaneresources.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {
// Under window managers that frame each window (most on X11), a frameless window moved or
// resized after its native window exists can be recorded at the screen's corner although it shows
// where it asked to be; its combo lists, colour chooser and message boxes then open from that
// corner. So the dialog is sized as its first show would size it and centred over its owner's
// window (the screen when it has none shown) before its native window exists.
void placeBeforeShowing(QWidget *dialog)
{
    if (dialog->testAttribute(Qt::WA_WState_Created))
        return;
    dialog->ensurePolished();
    if (QLayout *layout = dialog->layout())
        layout->activate();
    if (!dialog->testAttribute(Qt::WA_Resized))
        dialog->adjustSize();

    const QWidget *owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (owner && !owner->isVisible())
        owner = nullptr;
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame(QPoint(0, 0), dialog->frameSize());
    frame.moveCenter(owner ? owner->frameGeometry().center() : area.center());
    // Wholly on the screen; one larger than the screen keeps its title bar on it.
    frame.moveLeft(qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height())));
    dialog->move(frame.topLeft());
}

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
    if (visible)
        placeBeforeShowing(this);
    QDialog::setVisible(visible);
}

void FramelessDialog::setEnterButton(QPushButton *button)
{
    const QList<QPushButton *> buttons = findChildren<QPushButton *>();
    for (QPushButton *b : buttons)
        b->setAutoDefault(true);
    button->setDefault(true);
}
