#include "widgetsplice.h"

#include "state/statuskeys.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"
#include "wall/videosplitmanager.h"

#include <QButtonGroup>

namespace {

// The multiview output of the 0809-M, and the base of its windows' routing numbers.
constexpr int MultiviewOutput = 9;
constexpr int MultiviewWindowBase = 900;
constexpr int VideoLayer = 0;

} // namespace

SpliceGroups *WidgetSplice::createManager(TableWidget *videoTable, Widget *window)
{
    auto *manager = new VideoSplitManager;
    QObject::connect(manager, &VideoSplitManager::si_groupsChanged, videoTable,
                     &TableWidget::setSpliceGroups);
    QObject::connect(manager, &VideoSplitManager::si_tableRefreshRequested, videoTable,
                     &TableWidget::setLayoutForBindMode);
    QObject::connect(manager, &VideoSplitManager::si_sendNewBindMsg, window,
                     &Widget::sl_sendNewBindMsg);
    QObject::connect(manager, &VideoSplitManager::si_sendUnBindMsg, window,
                     &Widget::sl_sendUnBindMsg);
    manager->setTable(videoTable);
    return manager;
}

void WidgetSplice::attachMultiview(Widget *window, SingleSplitterWidget *splitter,
                                   TableWidget *videoTable, QButtonGroup *layoutButtons)
{
    if (!splitter)
        return;
    window->setMultiviewView(splitter);
    // The view keeps the shape of the multiview output as the device reports its resolution.
    QObject::connect(window, &Widget::si_map_out_resolu_ready, splitter,
                     &SingleSplitterWidget::refreshOutputSize);
    QObject::connect(splitter, &SingleSplitterWidget::si_drop, window,
                     [window](int input, int region) {
                         if (!window->linkReady(
                                 QStringLiteral("input %1 to window %2").arg(input).arg(region))) {
                             if (window->multiviewView())
                                 window->multiviewView()->refresh();
                             return;
                         }
                         DeviceState::instance()->setMultiviewWindowAt(region, input);
                         MessageDistance *client = MessageDistance::instance();
                         if (region == 0) {
                             window->applyVideoRoute(input, MultiviewOutput, true);
                             client->switchPort(input, MultiviewOutput, VideoLayer);
                         } else {
                             client->switchPort(input, MultiviewWindowBase + region, VideoLayer);
                         }
                     });
    QObject::connect(splitter, &SingleSplitterWidget::si_layout_change, window,
                     [window, videoTable, layoutButtons](int mode) {
                         // A divided output shows the windows, so output 9 takes no routes.
                         if (videoTable) {
                             videoTable->setOutputEnabled(MultiviewOutput, mode == 0);
                             window->refreshTable(videoTable);
                             videoTable->fitCells();
                         }
                         if (layoutButtons) {
                             if (QAbstractButton *button = layoutButtons->button(mode))
                                 button->setChecked(true);
                         }
                     });
}

void WidgetSplice::decorateSpliceModeButtons(QButtonGroup *modes)
{
    const QStringList colors{QStringLiteral("#338c56")};
    for (QAbstractButton *b : modes->buttons()) {
        auto *preset = qobject_cast<PlanPushButton *>(b);
        if (!preset)
            continue;
        const int mode = modes->id(b);
        const QList<int> outputs = StatusKeys::spliceModeOutputs(mode);
        // The presets are ordinary exclusive buttons: no flash, no right-button click.
        preset->setPlainMode(true);
        preset->setGrid(2, 4);
        preset->setPreview(mode, {{outputs.first(), outputs}});
        preset->setGroupColors(colors);
        preset->setPreviewMode();
        preset->setToolTip(b->text());
    }
}

void WidgetSplice::showPlanCaption(QAbstractButton *button, int planNumber, const QString &name)
{
    if (!button)
        return;
    if (auto *plan = qobject_cast<PlanPushButton *>(button)) {
        if (name.isEmpty())
            plan->setNumberCaption(planNumber);
        else
            plan->setNamedCaption(planNumber, name);
        return;
    }
    button->setText(name.isEmpty() ? QStringLiteral("[%1]").arg(planNumber)
                                   : QStringLiteral("[%1]%2").arg(planNumber).arg(name));
}

void WidgetSplice::showPlanCaptions(QButtonGroup *plans, const QMap<int, QString> &namesByIndex)
{
    for (QAbstractButton *b : plans->buttons()) {
        const int index = plans->id(b);
        showPlanCaption(b, index + 1, namesByIndex.value(index));
    }
}

void WidgetSplice::connectPlanDoubleClicks(QButtonGroup *plans,
                                           const std::function<void(int)> &recall)
{
    for (QAbstractButton *b : plans->buttons()) {
        auto *plan = qobject_cast<PlanPushButton *>(b);
        if (!plan)
            continue;
        const int index = plans->id(b);
        QObject::connect(plan, &PlanPushButton::si_doubleClick, plans,
                         [recall, index] { recall(index); });
    }
}
