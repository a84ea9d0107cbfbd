// Context menus of the tables and the input list, renaming and the plan menu.
#include "widgetmenus.h"
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widgetdialogs.h"
#include "mainwindow/widgetsplice.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
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
#include <QMenu>
#include <QTimer>

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

WidgetMenus::WidgetMenus(Widget *window, const Parts &parts)
    : QObject(window), m_window(window), m_parts(parts)
{
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

void WidgetMenus::attach()
{
    WidgetForms *ui = m_parts.ui;
    for (TableWidget *table : m_window->tables())
        table->setContextMenuPolicy(Qt::CustomContextMenu);
    ui->listWidget->setContextMenuPolicy(Qt::CustomContextMenu);
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
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setStyleSheet(QString::fromLatin1(MenuStyle));
    return menu;
}

void WidgetMenus::run(QMenu *menu)
{
    m_lastMenu = menu;
    connect(menu, &QObject::destroyed, this, [this, menu] {
        if (m_lastMenu == menu)
            m_lastMenu = nullptr;
    });
    emit menuAboutToRun(menu);
    menu->popup(QCursor::pos());
}

void WidgetMenus::clearCell(TableWidget *table, int port)
{
    if (QTableWidgetItem *item = table->itemForOutput(port))
        table->clearItem(item);
}

void WidgetMenus::showOutputMenu(const QPoint &pos)
{
    WidgetForms *ui = m_parts.ui;
    TableWidget *table = ui->videoTableWidget;
    QTableWidgetItem *item = table->itemAt(pos);
    if (!item)
        return;
    if (!table->isOutputEnabled(portOf(item)))
        return;
    const int port = portOf(item);
    const DeviceType type = DeviceState::instance()->deviceType();
    QMenu *menu = newMenu();

    if (SpliceGroups *groups = m_window->splitManager()) {
        const bool grouped = groups->groupOf(port).size() > 1;
        QAction *splice = menu->addAction(grouped ? tr("Unsplice") : tr("Splice"));
        splice->setEnabled(portRight(port, OutputPortKind) && listRight(VideoSwitchFunction) &&
                           listRight(SpliceFunction) && type != Dev0808S);
        connect(splice, &QAction::triggered, this, [groups, port] { groups->toggleSplice(port); });
    }

    QAction *rename = menu->addAction(tr("Rename(F2)"));
    connect(rename, &QAction::triggered, this, [this, port] { renameOutput(port); });

    addResolutionMenu(menu, port);

    // The dialogs run modally after the menu has gone; the window owns their opening.
    Widget *window = m_window;
    QAction *noSignal = menu->addAction(tr("无信号输出"));
    noSignal->setEnabled(portRight(port, OutputPortKind) && listRight(NoSignalOutputFunction));
    connect(noSignal, &QAction::triggered, window,
            [window, port] { window->sl_NoSignalOut(port, 2); });
    QAction *scaling = menu->addAction(tr("缩放模式"));
    scaling->setEnabled(portRight(port, OutputPortKind) && listRight(ScalingModeFunction));
    connect(scaling, &QAction::triggered, window, [window, port] { window->sl_Scalingmode(port); });
    QAction *pattern = menu->addAction(tr("Graphics Test"));
    pattern->setEnabled(portRight(port, OutputPortKind) && listRight(MatrixGraphicsTestFunction));
    connect(pattern, &QAction::triggered, window,
            [window, port] { window->dialogs()->openGraphicsTest(port, true); });

    QAction *clear = menu->addAction(tr("清除"));
    clear->setEnabled(portRight(port, OutputPortKind) && listRight(VideoSwitchFunction));
    connect(clear, &QAction::triggered, this, [this, table, port] { clearCell(table, port); });

    addStandbyMenu(menu, table, port);
    addLayoutMenu(menu);
    run(menu);
}

void WidgetMenus::addResolutionMenu(QMenu *menu, int port)
{
    DeviceState *store = DeviceState::instance();
    MessageDistance *client = m_parts.client;
    QMenu *resolution = menu->addMenu(tr("Resolution"));
    auto *resolutionGroup = new QActionGroup(resolution);
    const bool resolutionRight = portRight(port, OutputPortKind) && listRight(ResolutionFunction);
    for (const QString &text : resolutions()) {
        QAction *action = resolution->addAction(text);
        action->setCheckable(true);
        action->setChecked(text == store->outputResolutionAt(port));
        action->setEnabled(resolutionRight);
        resolutionGroup->addAction(action);
        connect(action, &QAction::triggered, this, [client, port, text] {
            client->setPortResolution(port, text);
            QMap<int, QString> all = DeviceState::instance()->outputResolution();
            all.insert(port, text);
            DeviceState::instance()->setOutputResolution(all);
        });
    }
    // Another client's change reaches the open menu.
    connect(m_window, &Widget::si_outResoluChangedByOthers, resolution,
            [resolution, port](int changed) {
                if (changed != port)
                    return;
                const QString current = DeviceState::instance()->outputResolutionAt(port);
                for (QAction *action : resolution->actions())
                    action->setChecked(action->text() == current);
            });
}

void WidgetMenus::addStandbyMenu(QMenu *menu, TableWidget *table, int port)
{
    MessageDistance *client = m_parts.client;
    QMenu *standby = menu->addMenu(tr("No Signal Input"));
    auto *standbyGroup = new QActionGroup(standby);
    const bool standbyRight = portRight(port, OutputPortKind) && listRight(NoSignalInputFunction);
    const bool locked = DeviceState::instance()->outputLockAt(port);
    for (bool lock : {true, false}) {
        QAction *action = standby->addAction(lock ? tr("No Standby") : tr("Standby"));
        action->setCheckable(true);
        action->setChecked(lock == locked);
        action->setEnabled(standbyRight);
        standbyGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, table, client, port, lock] {
            if (!m_window->linkReady(QStringLiteral("standby of output %1").arg(port)))
                return;
            if (auto *w = table->cellForOutput(port))
                w->setLocked(lock);
            client->setOutputLock(port, lock);
            DeviceState::instance()->setOutputLockAt(port, lock);
        });
    }
}

void WidgetMenus::addLayoutMenu(QMenu *menu)
{
    MessageDistance *client = m_parts.client;
    const DeviceType type = DeviceState::instance()->deviceType();
    QMenu *layout = menu->addMenu(tr("Switch Layout"));
    const bool layoutRight = listRight(SpliceFunction) && listRight(SwitchLayoutFunction) &&
                             type != Dev0808S && type != Dev0404;
    const int bindMode = DeviceState::instance()->bindMode();
    for (int mode : {0, 1}) {
        QAction *action = layout->addAction(mode == 0 ? tr("3 x 3") : tr("2 x 4"));
        action->setCheckable(true);
        action->setChecked(bindMode == mode);
        action->setEnabled(layoutRight && bindMode != 2);
        connect(action, &QAction::triggered, this, [this, client, mode] {
            if (!m_window->linkReady(QStringLiteral("layout %1").arg(mode)))
                return;
            DeviceState::instance()->setBindMode(mode);
            if (m_window->splitManager())
                m_window->splitManager()->layoutForMode(mode);
            else
                m_window->buildTables();
            client->setMode(mode);
        });
    }
}

void WidgetMenus::showAudioMenu(TableWidget *table, const QPoint &pos)
{
    QTableWidgetItem *item = table->itemAt(pos);
    if (!item)
        return;
    if (!table->isOutputEnabled(portOf(item)))
        return;
    const int port = portOf(item);
    MessageDistance *client = m_parts.client;
    QMenu *menu = newMenu();
    QAction *digital = menu->addAction(tr("数字音频"));
    connect(digital, &QAction::triggered, this,
            [client, port] { client->setAnalogSelect(port, 0); });
    QAction *analog = menu->addAction(tr("模拟音频"));
    connect(analog, &QAction::triggered, this,
            [client, port] { client->setAnalogSelect(port, 1); });
    QAction *rename = menu->addAction(tr("Rename(F2)"));
    connect(rename, &QAction::triggered, this, [this, port] { renameOutput(port); });
    QAction *clear = menu->addAction(tr("清除"));
    const bool hdmiCell = table == m_parts.ui->audioHDMITable;
    if (hdmiCell) {
        const int base = port > 100 ? port - 100 : port;
        clear->setEnabled(portRight(base, OutputPortKind) && listRight(HdmiAudioSwitchFunction));
    } else {
        clear->setEnabled(portRight(port, AnalogOutputPortKind) && listRight(AudioSwitchFunction));
    }
    connect(clear, &QAction::triggered, this, [this, table, port] { clearCell(table, port); });
    run(menu);
}

void WidgetMenus::showInfraredMenu(const QPoint &pos)
{
    TableWidget *table = m_parts.ui->InfaredTable;
    QTableWidgetItem *item = table->itemAt(pos);
    if (!item)
        return;
    if (!table->isOutputEnabled(portOf(item)))
        return;
    const int port = portOf(item);
    QMenu *menu = newMenu();
    QAction *rename = menu->addAction(tr("Rename(F2)"));
    connect(rename, &QAction::triggered, this, [this, port] { renameOutput(port); });
    QAction *clear = menu->addAction(tr("清除"));
    clear->setEnabled(portRight(port, OutputPortKind) && listRight(InfraredSwitchFunction));
    connect(clear, &QAction::triggered, this, [this, table, port] { clearCell(table, port); });
    run(menu);
}

void WidgetMenus::showInputMenu(const QPoint &pos)
{
    WidgetForms *ui = m_parts.ui;
    QListWidgetItem *item = ui->listWidget->itemAt(pos);
    if (!item)
        return;
    const int port = item->data(ListWidget::PortRole).toInt();
    const int kind = item->data(ListWidget::KindRole).toInt();
    const bool video = kind == ListWidget::VideoKind;
    MessageDistance *client = m_parts.client;
    DeviceState *store = DeviceState::instance();
    QMenu *menu = newMenu();
    QAction *rename = menu->addAction(tr("Rename(F2)"));
    connect(rename, &QAction::triggered, this, [this, kind, port] { renameInput(kind, port); });
    if (ui->tabWidget->currentIndex() == m_parts.infraredTab) {
        run(menu);
        return;
    }

    WidgetDialogs *dialogs = m_window->dialogs();
    if (video) {
        QAction *pattern = menu->addAction(tr("GraphicsTest"));
        pattern->setEnabled(portRight(port, InputPortKind) &&
                            listRight(SignalGraphicsTestFunction));
        connect(pattern, &QAction::triggered, dialogs,
                [dialogs, port] { dialogs->openGraphicsTest(port, false); });
        QAction *osd = menu->addAction(tr("OSD Setting"));
        osd->setEnabled(portRight(port, InputPortKind) && listRight(SignalOsdFunction));
        connect(osd, &QAction::triggered, dialogs, [dialogs, port] { dialogs->openOsd(port); });
        QAction *edid = menu->addAction(tr("Edid"));
        edid->setEnabled(portRight(port, InputPortKind) && listRight(SignalEdidFunction));
        connect(edid, &QAction::triggered, dialogs, [dialogs, port] { dialogs->openEdid(port); });
    }
    QAction *volume = menu->addAction(tr("Volume Setting"));
    volume->setEnabled(portRight(port, video ? InputPortKind : AudioInputPortKind) &&
                       listRight(SignalVolumeFunction));
    connect(volume, &QAction::triggered, dialogs, [dialogs, port] { dialogs->openVolume(port); });
    if (!video) {
        run(menu);
        return;
    }

    QMenu *resolution = menu->addMenu(tr("Resolution"));
    const QString current = store->inputResolutionAt(port);
    QAction *shown = resolution->addAction(current.isEmpty() ? tr("No Input") : current);
    shown->setCheckable(true);
    shown->setChecked(true);

    QMenu *hdcp = menu->addMenu(tr("HDCP Setting"));
    auto *hdcpGroup = new QActionGroup(hdcp);
    const bool hdcpRight = portRight(port, InputPortKind) && listRight(SignalHdcpFunction);
    const QStringList modes{tr("Auto"), tr("Not Support"), tr("HDCP 1.4 Only"),
                            tr("HDCP 2.2 Only")};
    for (int value = 0; value < modes.size(); ++value) {
        QAction *action = hdcp->addAction(modes[value]);
        action->setCheckable(true);
        action->setChecked(store->inputHdcpAt(port) == value);
        action->setEnabled(hdcpRight);
        action->setData(value);
        hdcpGroup->addAction(action);
        connect(action, &QAction::triggered, this, [client, port, value] {
            client->setInputHdcp(port, value);
            DeviceState::instance()->setInputHdcpAt(port, value);
        });
    }
    connect(m_window, &Widget::si_hdcpChangedByOthers, hdcp, [hdcp, port](int changed) {
        if (changed != port)
            return;
        const int value = DeviceState::instance()->inputHdcpAt(port);
        for (QAction *action : hdcp->actions())
            action->setChecked(action->data().toInt() == value);
    });
    run(menu);
}

void WidgetMenus::renameInputItem(QListWidgetItem *item)
{
    if (item)
        renameInput(item->data(ListWidget::KindRole).toInt(),
                    item->data(ListWidget::PortRole).toInt());
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
                if (type == Dev0809M && m_window->multiviewView())
                    m_window->multiviewView()->refresh();
            });
    dialog.exec();
}

void WidgetMenus::renameOutputItem(QTableWidgetItem *item)
{
    if (item)
        renameOutput(portOf(item));
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
        // One output number has one name across the five tables.
        const QMap<int, QString> names = m_parts.portNames->loadPortNames(OutputVideoName);
        for (TableWidget *t : m_window->tables())
            t->setOutputNames(names);
    });
    dialog.exec();
}

void WidgetMenus::showPlanMenu(QButtonGroup *group, int btnIndex)
{
    const int n = btnIndex + 1;
    MessageDistance *client = m_parts.client;
    QMenu *menu = newMenu();
    QAction *recall = menu->addAction(tr("Recall Plan %1").arg(n));
    recall->setEnabled(listRight(PlanOperationFunction) && listRight(VideoSwitchFunction));
    connect(recall, &QAction::triggered, this,
            [this, group, btnIndex] { m_window->recallPlan(group, btnIndex); });
    QAction *save = menu->addAction(tr("Save Plan %1").arg(n));
    save->setEnabled(listRight(PlanOperationFunction));
    connect(save, &QAction::triggered, this, [this, client, n] {
        if (m_window->splitManager())
            client->savePlan(n);
    });
    QAction *clear = menu->addAction(tr("Clear Plan %1").arg(n));
    clear->setEnabled(listRight(PlanOperationFunction));
    connect(clear, &QAction::triggered, this, [client, n] { client->clearPlan(n); });
    QAction *rename = menu->addAction(tr("Rename Plan %1").arg(n));
    connect(rename, &QAction::triggered, this, [this, btnIndex, n] {
        RenameDialog dialog(DeviceState::instance()->planNameAt(btnIndex), m_window);
        connect(
            &dialog, &RenameDialog::Sig_SetNewName, this, [this, btnIndex, n](const QString &name) {
                if (!m_window->saved(PlanNameStore().savePlanName(n, name)))
                    return;
                DeviceState::instance()->setPlanNameAt(btnIndex, name);
                WidgetSplice::showPlanCaption(m_parts.planGroupVideo->button(btnIndex), n, name);
                WidgetSplice::showPlanCaption(m_parts.planGroupWall->button(btnIndex), n, name);
            });
        dialog.exec();
    });
    run(menu);
}
