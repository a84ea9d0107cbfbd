// Context menus of the tables and the input list, renaming and the plan menu.
#include "widgetmenus.h"
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/planbars.h"
#include "mainwindow/routingpage.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widgetdialogs.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "state/sigmanager.h"
#include "storage/plannamestore.h"
#include "storage/portnamestore.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/multiviewview.h"
#include "wall/splicegroups.h"
#include "wall/wallcanvas.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>

namespace {

const char MenuStyle[] = "QMenu{background-color:#ffffff;border:1px solid rgb(200,200,200);}"
                         "QMenu::item{min-width:110px;min-height:25px;font-size:12px;color:#2c3e50;"
                         "padding:0px 16px;background:transparent;}"
                         "QMenu::item:selected{background-color:rgba(6,118,255,50);}"
                         "QMenu::item:pressed{background-color:rgba(6,118,255,100);}"
                         "QMenu::item:checked{background-color:rgba(6,118,255,75);}"
                         "QMenu::item:disabled{color:rgba(44,62,80,128);}"
                         "QMenu::indicator{width:0px;height:0px;}";

int portOf(const QTableWidgetItem *item)
{
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

} // namespace

WidgetMenus::WidgetMenus(Widget *window, Parts parts)
    : QObject(window), m_window(window), m_parts(std::move(parts))
{
    WidgetForms *ui = m_parts.ui;
    for (QWidget *view :
         std::initializer_list<QWidget *>{ui->videoTableWidget, ui->AudioTable, ui->audioHDMITable,
                                          ui->InfaredTable, ui->listWidget}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
    }
    connect(ui->videoTableWidget, &QWidget::customContextMenuRequested, this,
            &WidgetMenus::showOutputMenu);
    connect(ui->InfaredTable, &QWidget::customContextMenuRequested, this,
            &WidgetMenus::showInfraredMenu);
    for (TableWidget *table : {ui->AudioTable, ui->audioHDMITable}) {
        connect(table, &QWidget::customContextMenuRequested, this,
                [this, table](const QPoint &pos) { showAudioMenu(table, pos); });
    }
    connect(ui->listWidget, &QWidget::customContextMenuRequested, this,
            &WidgetMenus::showInputMenu);
    // Another client's change reaches an open menu.
    connect(m_parts.reports, &ReportApplier::outputResolutionChangedByOthers, this, [this](int p) {
        if (m_output.menu && p == m_output.port)
            markCurrent(m_output.resolution, DeviceState::instance()->outputResolutionAt(p));
    });
    connect(m_parts.reports, &ReportApplier::hdcpChangedByOthers, this, [this](int p) {
        if (m_input.menu && p == m_input.port)
            markCurrent(m_input.hdcp, DeviceState::instance()->inputHdcpAt(p));
    });
}

QStringList WidgetMenus::resolutions()
{
    return {QStringLiteral("800x600x60Hz"),   QStringLiteral("1024x768x60Hz"),
            QStringLiteral("1280x720x50Hz"),  QStringLiteral("1280x720x60Hz"),
            QStringLiteral("1280x768x60Hz"),  QStringLiteral("1280x800x60Hz"),
            QStringLiteral("1280x960x60Hz"),  QStringLiteral("1280x1024x60Hz"),
            QStringLiteral("1360x768x60Hz"),  QStringLiteral("1366x768x60Hz"),
            QStringLiteral("1440x900x60Hz"),  QStringLiteral("1600x900x60Hz"),
            QStringLiteral("1600x1200x60Hz"), QStringLiteral("1920x540x50Hz"),
            QStringLiteral("1920x540x60Hz"),  QStringLiteral("1920x1080x30Hz"),
            QStringLiteral("1920x1080x50Hz"), QStringLiteral("1920x1080x60Hz"),
            QStringLiteral("1920x1200x60Hz"), QStringLiteral("2560x1440x60Hz"),
            QStringLiteral("3840x2160x30Hz"), QStringLiteral("4096x2160x30Hz"),
            QStringLiteral("3840x2160x60Hz"), QStringLiteral("4096x2160x60Hz")};
}

bool WidgetMenus::eventFilter(QObject *watched, QEvent *event)
{
    // Only a key reads the forms: they are gone before the menus when the window closes.
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F2)
        return QObject::eventFilter(watched, event);
    if (watched == m_parts.ui->listWidget) {
        if (const QListWidgetItem *item = m_parts.ui->listWidget->currentItem())
            renameInput(item->data(ListWidget::KindRole).toInt(),
                        item->data(ListWidget::PortRole).toInt());
    } else if (auto *table = qobject_cast<TableWidget *>(watched)) {
        if (const QTableWidgetItem *item = table->currentItem())
            renameOutput(portOf(item));
    }
    return true;
}

bool WidgetMenus::portRight(int port, int kind) const
{
    PermissionStore *p = m_parts.permissions;
    return !p || p->hasPortPermission(port, kind);
}

bool WidgetMenus::listRight(int index) const
{
    PermissionStore *p = m_parts.permissions;
    return !p || p->hasListPermission(index);
}

QMenu *WidgetMenus::newMenu()
{
    auto *menu = new QMenu(m_window);
    menu->setStyleSheet(QString::fromLatin1(MenuStyle));
    return menu;
}

QAction *WidgetMenus::addAction(QMenu *menu, std::function<void()> run)
{
    QAction *action = menu->addAction(QString());
    connect(action, &QAction::triggered, this, std::move(run));
    return action;
}

void WidgetMenus::offer(QAction *action, const QString &text, bool enabled)
{
    action->setText(text);
    action->setEnabled(enabled);
}

void WidgetMenus::markCurrent(QMenu *menu, const QVariant &current)
{
    for (QAction *action : menu->actions())
        action->setChecked(action->data() == current);
}

void WidgetMenus::run(QMenu *menu)
{
    emit menuAboutToRun(menu);
    menu->popup(QCursor::pos());
}

void WidgetMenus::clearCell(TableWidget *table, int port)
{
    if (QTableWidgetItem *item = table->itemForOutput(port))
        table->clearItem(item);
}

WidgetMenus::HistoryEntries WidgetMenus::addHistory(QMenu *menu)
{
    menu->addSeparator();
    HistoryEntries entries;
    entries.undo = addAction(menu, [this] { m_parts.routing->undo(); });
    entries.redo = addAction(menu, [this] { m_parts.routing->redo(); });
    return entries;
}

void WidgetMenus::offerHistory(const HistoryEntries &entries) const
{
    const RouteHistory *history = m_parts.routing->history();
    offer(entries.undo, history->canUndo() ? history->undoText() : tr("Undo"), history->canUndo());
    offer(entries.redo, history->canRedo() ? history->redoText() : tr("Redo"), history->canRedo());
}

void WidgetMenus::buildOutputMenu()
{
    OutputMenu &o = m_output;
    o.menu = newMenu();
    o.splice = addAction(o.menu, [this] {
        if (SpliceGroups *groups = m_parts.spliceGroups())
            groups->toggleSplice(m_output.port);
    });
    o.rename = addAction(o.menu, [this] { renameOutput(m_output.port); });
    o.resolution = o.menu->addMenu(QString());
    auto *resolutionGroup = new QActionGroup(o.resolution);
    for (const QString &text : resolutions()) {
        QAction *action = addAction(o.resolution, [this, text] {
            const int port = m_output.port;
            m_parts.client->setPortResolution(port, text);
            QMap<int, QString> all = DeviceState::instance()->outputResolution();
            all.insert(port, text);
            DeviceState::instance()->setOutputResolution(all);
        });
        action->setText(text);
        action->setData(text);
        action->setCheckable(true);
        resolutionGroup->addAction(action);
    }
    // The dialogs run modally after the menu has gone.
    WidgetDialogs *dialogs = m_parts.dialogs;
    o.noSignal =
        addAction(o.menu, [this, dialogs] { dialogs->openNoSignalOutput(m_output.port, 2); });
    o.scaling = addAction(o.menu, [this, dialogs] { dialogs->openScalingMode(m_output.port); });
    o.pattern =
        addAction(o.menu, [this, dialogs] { dialogs->openGraphicsTest(m_output.port, true); });
    o.clear = addAction(o.menu, [this] { clearCell(m_parts.ui->videoTableWidget, m_output.port); });
    o.standby = o.menu->addMenu(QString());
    auto *standbyGroup = new QActionGroup(o.standby);
    for (bool lock : {true, false}) {
        QAction *action = addAction(o.standby, [this, lock] { setStandby(lock); });
        action->setCheckable(true);
        action->setData(lock);
        standbyGroup->addAction(action);
    }
    o.layout = o.menu->addMenu(QString());
    for (int mode : {0, 1}) {
        QAction *action = addAction(o.layout, [this, mode] { setLayout(mode); });
        action->setCheckable(true);
        action->setData(mode);
    }
    o.history = addHistory(o.menu);
}

void WidgetMenus::showOutputMenu(const QPoint &pos)
{
    TableWidget *table = m_parts.ui->videoTableWidget;
    const int port = portOf(table->itemAt(pos));
    if (!port || !table->isOutputEnabled(port))
        return;
    if (!m_output.menu)
        buildOutputMenu();
    OutputMenu &o = m_output;
    o.port = port;
    DeviceState *store = DeviceState::instance();
    const DeviceType type = store->deviceType();
    const bool portOk = portRight(port, OutputPortKind);

    SpliceGroups *groups = m_parts.spliceGroups();
    o.splice->setVisible(groups);
    offer(o.splice, groups && groups->groupOf(port).size() > 1 ? tr("Unsplice") : tr("Splice"),
          portOk && listRight(VideoSwitchFunction) && listRight(SpliceFunction) &&
              type != Dev0808S);
    o.rename->setText(tr("Rename(F2)"));
    o.resolution->setTitle(tr("Resolution"));
    markCurrent(o.resolution, store->outputResolutionAt(port));
    for (QAction *action : o.resolution->actions())
        action->setEnabled(portOk && listRight(ResolutionFunction));
    offer(o.noSignal, tr("无信号输出"), portOk && listRight(NoSignalOutputFunction));
    offer(o.scaling, tr("缩放模式"), portOk && listRight(ScalingModeFunction));
    offer(o.pattern, tr("Graphics Test"), portOk && listRight(MatrixGraphicsTestFunction));
    offer(o.clear, tr("清除"), portOk && listRight(VideoSwitchFunction));

    o.standby->setTitle(tr("No Signal Input"));
    markCurrent(o.standby, store->outputLockAt(port));
    for (QAction *action : o.standby->actions()) {
        offer(action, action->data().toBool() ? tr("No Standby") : tr("Standby"),
              portOk && listRight(NoSignalInputFunction));
    }
    o.layout->setTitle(tr("Switch Layout"));
    const int bindMode = store->bindMode();
    markCurrent(o.layout, bindMode);
    const bool layoutRight = listRight(SpliceFunction) && listRight(SwitchLayoutFunction) &&
                             type != Dev0808S && type != Dev0404 && bindMode != 2;
    for (QAction *action : o.layout->actions()) {
        offer(action, action->data().toInt() == 0 ? tr("3 x 3") : tr("2 x 4"), layoutRight);
    }
    offerHistory(o.history);
    run(o.menu);
}

void WidgetMenus::setStandby(bool lock)
{
    const int port = m_output.port;
    if (!m_parts.linkReady(QStringLiteral("standby of output %1").arg(port)))
        return;
    if (auto *cell = m_parts.ui->videoTableWidget->cellForOutput(port))
        cell->setLocked(lock);
    m_parts.client->setOutputLock(port, lock);
    DeviceState::instance()->setOutputLockAt(port, lock);
}

void WidgetMenus::setLayout(int mode)
{
    if (!m_parts.linkReady(QStringLiteral("layout %1").arg(mode)))
        return;
    DeviceState::instance()->setBindMode(mode);
    if (SpliceGroups *groups = m_parts.spliceGroups())
        groups->layoutForMode(mode);
    else
        m_parts.routing->buildTables();
    m_parts.client->setMode(mode);
}

void WidgetMenus::showAudioMenu(TableWidget *table, const QPoint &pos)
{
    const int port = portOf(table->itemAt(pos));
    if (!port || !table->isOutputEnabled(port))
        return;
    AudioMenu &a = m_audio;
    if (!a.menu) {
        a.menu = newMenu();
        a.digital = addAction(a.menu, [this] { m_parts.client->setAnalogSelect(m_audio.port, 0); });
        a.analog = addAction(a.menu, [this] { m_parts.client->setAnalogSelect(m_audio.port, 1); });
        a.rename = addAction(a.menu, [this] { renameOutput(m_audio.port); });
        a.clear = addAction(a.menu, [this] { clearCell(m_audio.table, m_audio.port); });
        a.history = addHistory(a.menu);
    }
    a.table = table;
    a.port = port;
    a.digital->setText(tr("数字音频"));
    a.analog->setText(tr("模拟音频"));
    a.rename->setText(tr("Rename(F2)"));
    a.clear->setText(tr("清除"));
    if (table == m_parts.ui->audioHDMITable) {
        const int base = port > 100 ? port - 100 : port;
        a.clear->setEnabled(portRight(base, OutputPortKind) && listRight(HdmiAudioSwitchFunction));
    } else {
        a.clear->setEnabled(portRight(port, AnalogOutputPortKind) &&
                            listRight(AudioSwitchFunction));
    }
    offerHistory(a.history);
    run(a.menu);
}

void WidgetMenus::showInfraredMenu(const QPoint &pos)
{
    TableWidget *table = m_parts.ui->InfaredTable;
    const int port = portOf(table->itemAt(pos));
    if (!port || !table->isOutputEnabled(port))
        return;
    InfraredMenu &i = m_infrared;
    if (!i.menu) {
        i.menu = newMenu();
        i.rename = addAction(i.menu, [this] { renameOutput(m_infrared.port); });
        i.clear =
            addAction(i.menu, [this] { clearCell(m_parts.ui->InfaredTable, m_infrared.port); });
        i.history = addHistory(i.menu);
    }
    i.port = port;
    i.rename->setText(tr("Rename(F2)"));
    offer(i.clear, tr("清除"),
          portRight(port, OutputPortKind) && listRight(InfraredSwitchFunction));
    offerHistory(i.history);
    run(i.menu);
}

void WidgetMenus::buildInputMenu()
{
    InputMenu &in = m_input;
    WidgetDialogs *dialogs = m_parts.dialogs;
    in.menu = newMenu();
    in.rename = addAction(in.menu, [this] { renameInput(m_input.kind, m_input.port); });
    in.pattern =
        addAction(in.menu, [this, dialogs] { dialogs->openGraphicsTest(m_input.port, false); });
    in.osd = addAction(in.menu, [this, dialogs] { dialogs->openOsd(m_input.port); });
    in.edid = addAction(in.menu, [this, dialogs] { dialogs->openEdid(m_input.port); });
    in.volume = addAction(in.menu, [this, dialogs] { dialogs->openVolume(m_input.port); });
    in.resolution = in.menu->addMenu(QString());
    in.resolutionShown = in.resolution->addAction(QString());
    in.resolutionShown->setCheckable(true);
    in.hdcp = in.menu->addMenu(QString());
    auto *hdcpGroup = new QActionGroup(in.hdcp);
    for (int value = 0; value < 4; ++value) {
        QAction *action = addAction(in.hdcp, [this, value] {
            m_parts.client->setInputHdcp(m_input.port, value);
            DeviceState::instance()->setInputHdcpAt(m_input.port, value);
        });
        action->setCheckable(true);
        action->setData(value);
        hdcpGroup->addAction(action);
    }
}

void WidgetMenus::showInputMenu(const QPoint &pos)
{
    WidgetForms *ui = m_parts.ui;
    const QListWidgetItem *item = ui->listWidget->itemAt(pos);
    if (!item)
        return;
    if (!m_input.menu)
        buildInputMenu();
    InputMenu &in = m_input;
    in.port = item->data(ListWidget::PortRole).toInt();
    in.kind = item->data(ListWidget::KindRole).toInt();
    const int port = in.port;
    // The infrared page offers renaming only; audio inputs have no picture to set.
    const bool infrared = ui->tabWidget->currentIndex() == InfraredTab;
    const bool video = !infrared && in.kind == ListWidget::VideoKind;
    const bool inputOk = portRight(port, InputPortKind);
    DeviceState *store = DeviceState::instance();

    in.rename->setText(tr("Rename(F2)"));
    offer(in.pattern, tr("GraphicsTest"), inputOk && listRight(SignalGraphicsTestFunction));
    offer(in.osd, tr("OSD Setting"), inputOk && listRight(SignalOsdFunction));
    offer(in.edid, tr("Edid"), inputOk && listRight(SignalEdidFunction));
    offer(in.volume, tr("Volume Setting"),
          portRight(port, video ? InputPortKind : AudioInputPortKind) &&
              listRight(SignalVolumeFunction));
    for (QAction *action :
         {in.pattern, in.osd, in.edid, in.resolution->menuAction(), in.hdcp->menuAction()})
        action->setVisible(video);
    in.volume->setVisible(!infrared);

    in.resolution->setTitle(tr("Resolution"));
    const QString current = store->inputResolutionAt(port);
    in.resolutionShown->setText(current.isEmpty() ? tr("No Input") : current);
    in.resolutionShown->setChecked(true);
    in.hdcp->setTitle(tr("HDCP Setting"));
    const QStringList modes{tr("Auto"), tr("Not Support"), tr("HDCP 1.4 Only"),
                            tr("HDCP 2.2 Only")};
    markCurrent(in.hdcp, store->inputHdcpAt(port));
    for (QAction *action : in.hdcp->actions()) {
        offer(action, modes.value(action->data().toInt()),
              inputOk && listRight(SignalHdcpFunction));
    }
    run(in.menu);
}

void WidgetMenus::renameInput(int kind, int port)
{
    const bool video = kind == ListWidget::VideoKind;
    ListWidget *list = m_parts.ui->listWidget;
    QString preset;
    if (const QListWidgetItem *item = list->entry(kind, port)) {
        preset = item->data(ListWidget::NameRole).toString();
        if (preset.isEmpty())
            preset = item->text();
    }
    RenameDialog dialog(preset, m_window);
    connect(&dialog, &RenameDialog::Sig_SetNewName, this,
            [this, list, kind, port, video](const QString &name) {
                AppSettings *settings = AppSettings::instance();
                if (!m_window->saved(m_parts.portNames->savePortName(
                        port, name, video ? InputVideoName : InputAudioName)))
                    return;
                // The list may have been rebuilt while the dialog was open.
                if (QListWidgetItem *item = list->entry(kind, port)) {
                    item->setData(ListWidget::NameRole, name);
                    item->setText(QStringLiteral(" [%1] %2").arg(port).arg(name));
                }
                SigManager *hub = SigManager::instance();
                if (video) {
                    settings->setInputName(port, name);
                    emit hub->Sig_RenameInputSignals(port);
                    emit hub->Sig_RenameInputHDMIAudioSignals(port);
                } else {
                    settings->setAudioName(port, name);
                    emit hub->Sig_RenameInputSignals(port);
                    emit hub->Sig_RenameInputAudioSignals(port);
                }
                const DeviceType type = DeviceState::instance()->deviceType();
                if (type == Dev0409S && video)
                    m_parts.wallCanvas->renameInput(port, name);
                if (type == Dev0809M)
                    m_window->multiviewView()->refresh();
            });
    dialog.exec();
}

void WidgetMenus::renameOutput(int port)
{
    if (port > 100)
        port -= 100;
    RenameDialog dialog(AppSettings::instance()->outputName(port), m_window);
    connect(&dialog, &RenameDialog::Sig_SetNewName, this, [this, port](const QString &name) {
        if (!m_window->saved(m_parts.portNames->savePortName(port, name, OutputVideoName)))
            return;
        AppSettings::instance()->setOutputName(port, name);
        m_parts.routing->showOutputNames();
    });
    dialog.exec();
}

void WidgetMenus::buildPlanMenu()
{
    PlanMenu &p = m_plan;
    p.menu = newMenu();
    p.recall = addAction(p.menu, [this] { m_parts.plans->recall(m_plan.bar, m_plan.index); });
    p.save = addAction(p.menu, [this] {
        if (m_parts.spliceGroups())
            m_parts.client->savePlan(m_plan.index + 1);
    });
    p.clear = addAction(p.menu, [this] { m_parts.client->clearPlan(m_plan.index + 1); });
    p.rename = addAction(p.menu, [this] { renamePlan(m_plan.index); });
}

void WidgetMenus::showPlanMenu(QButtonGroup *bar, int index)
{
    if (!m_plan.menu)
        buildPlanMenu();
    PlanMenu &p = m_plan;
    p.bar = bar;
    p.index = index;
    const int n = index + 1;
    offer(p.recall, tr("Recall Plan %1").arg(n),
          listRight(PlanOperationFunction) && listRight(VideoSwitchFunction));
    offer(p.save, tr("Save Plan %1").arg(n), listRight(PlanOperationFunction));
    offer(p.clear, tr("Clear Plan %1").arg(n), listRight(PlanOperationFunction));
    p.rename->setText(tr("Rename Plan %1").arg(n));
    run(p.menu);
}

void WidgetMenus::renamePlan(int index)
{
    RenameDialog dialog(DeviceState::instance()->planNameAt(index), m_window);
    connect(&dialog, &RenameDialog::Sig_SetNewName, this, [this, index](const QString &name) {
        if (m_window->saved(PlanNameStore().savePlanName(index + 1, name)))
            m_parts.plans->showName(index, name);
    });
    dialog.exec();
}
