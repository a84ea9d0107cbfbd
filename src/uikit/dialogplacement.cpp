#include "dialogplacement.h"

#include <QWidget>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

void placeBeforeShowing(QWidget *dialog)
{
    if (!dialog->isWindow() || dialog->testAttribute(Qt::WA_WState_Created))
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
