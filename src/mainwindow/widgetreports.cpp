// The device's reports wired to the store, the views following the store, and the operator's
// routing.
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tablewidget.h"
#include "protocol/messagedistance.h"
#include "protocol/queryschedule.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/multiviewview.h"
#include "wall/splicegroups.h"
#include "wall/wallcanvas.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QElapsedTimer>

void Widget::refreshTable(TableWidget *table)
{
    const DeviceState *store = DeviceState::instance();
    switch (table->tableType()) {
    case TableWidget::VideoTable:
        table->refreshFromRoute(store->videoRoute());
        break;
    case TableWidget::InfraredTable:
        table->refreshFromRoute(store->irRoute());
        break;
    default:
        table->refreshFromRoute(store->audioRoute());
        break;
    }
}

void Widget::connectReports()
{
    MessageDistance *c = m_client;
    ReportApplier *r = m_reports;
    connect(c, &MessageDistance::receiveVersionSig, this, &Widget::receiveVersionSlot);
    connect(c, &MessageDistance::receiveInputChannelStateSig, r, &ReportApplier::applyInputSignals);
    connect(c, &MessageDistance::receiveNetWorkImforamtionSig, r, &ReportApplier::applyNetwork);
    connect(c, &MessageDistance::receiveVideoAudioIRMapSig, r, &ReportApplier::applyRoutes);
    connect(c, &MessageDistance::receiveInOutChannelResolutionMapSig, r,
            &ReportApplier::applyResolutions);
    connect(c, &MessageDistance::receiveTitleImfSig, r, &ReportApplier::applyCaption);
    connect(c, &MessageDistance::receiveVolumnImformationSig, r, &ReportApplier::applyVolumes);
    connect(c, &MessageDistance::receiveBindInfoSig, r, &ReportApplier::applyBindInfo);
    connect(c, &MessageDistance::receiveOutputInfoSig, r, &ReportApplier::applyOutputInfo);
    connect(c, &MessageDistance::receiveHDCPInfoSig, r, &ReportApplier::applyHdcp);
    connect(c, &MessageDistance::receiveWindowStatusSig, r, &ReportApplier::applyWindowStatus);
    connect(c, &MessageDistance::receiveRotateAngleSig, r, &ReportApplier::applyRotation);
    connect(c, &MessageDistance::receiveChangedByOthersSig, r,
            &ReportApplier::applyChangedByOthers);

    connect(r, &ReportApplier::resolutionsReported, this, &Widget::si_map_out_resolu_ready);
    connect(r, &ReportApplier::windowsReported, this, &Widget::si_windows_ready);
    connect(r, &ReportApplier::rotationReported, this, &Widget::si_rotate_degree_ready);
    connect(r, &ReportApplier::outputResolutionChangedByOthers, this,
            &Widget::si_outResoluChangedByOthers);
    connect(r, &ReportApplier::hdcpChangedByOthers, this, &Widget::si_hdcpChangedByOthers);
    connect(r, &ReportApplier::scalingModeEchoed, this, &Widget::si_ForwardAnalysis);
    connect(r, &ReportApplier::spliceModeReported, this, &Widget::showSpliceMode);
    connect(r, &ReportApplier::bindModeReported, this, [this](int mode) {
        if (m_splitManager)
            m_splitManager->layoutForMode(mode);
        else
            buildTables();
    });
    connect(r, &ReportApplier::bindGroupsReported, this, [this](const QList<QList<int>> &groups) {
        if (m_splitManager)
            m_splitManager->replaceGroups(groups);
    });
    connect(r, &ReportApplier::bindGroupAdded, this, [this](const QList<int> &outputs) {
        if (m_splitManager)
            m_splitManager->addGroup(outputs);
    });
    connect(r, &ReportApplier::bindGroupDissolved, this, [this](int output) {
        if (m_splitManager)
            m_splitManager->dissolveGroupOf(output);
    });
    connect(DeviceState::instance(), &DeviceState::changed, this, &Widget::onStateChanged);
}

void Widget::onStateChanged(DeviceState::Part part, const QList<int> &ports)
{
    switch (part) {
    case DeviceState::VideoRoute:
        refreshTable(m_ui->videoTableWidget);
        break;
    case DeviceState::AudioRoute:
        refreshTable(m_ui->AudioTable);
        refreshTable(m_ui->audioHDMITable);
        break;
    case DeviceState::IrRoute:
        refreshTable(m_ui->InfaredTable);
        break;
    case DeviceState::InputSignal:
        m_ui->listWidget->refreshSelectionAndMode();
        break;
    case DeviceState::OutputFlags:
        if (ports.isEmpty())
            m_ui->videoTableWidget->refreshOutputFlags();
        for (int port : ports)
            m_ui->videoTableWidget->refreshOutputFlags(port);
        break;
    case DeviceState::Multiview:
        if (m_multiviewView)
            m_multiviewView->refresh();
        break;
    default:
        break;
    }
}

void Widget::applyVideoRoute(int input, int output, bool clearMute)
{
    m_reports->applyVideoRoute(input, output, clearMute);
}

bool Widget::hdmiAudioFollow() const
{
    return m_reports->hdmiAudioFollow();
}

QList<int> Widget::spliceGroupOf(int output) const
{
    return m_reports->spliceGroupOf(output);
}

void Widget::showSpliceMode(int mode)
{
    if (m_splitManager)
        m_splitManager->formOnlyGroup(spliceModeOutputs(mode));
    if (QAbstractButton *button = m_spliceModeGroup->button(DeviceState::instance()->spliceMode()))
        button->setChecked(true);
}

void Widget::applySpliceMode(int mode)
{
    DeviceState *store = DeviceState::instance();
    const QList<int> outputs = spliceModeOutputs(mode);
    QList<int> touched = outputs;
    for (int o : outputs) {
        for (int member : spliceGroupOf(o)) {
            if (!touched.contains(member))
                touched.append(member);
        }
    }
    for (int o : touched) {
        if (m_permissions && !m_permissions->hasPortPermission(o, OutputPortKind))
            return;
    }
    if (!linkReady(QStringLiteral("splice mode %1").arg(mode))) {
        if (QAbstractButton *button = m_spliceModeGroup->button(store->spliceMode()))
            button->setChecked(true);
        return;
    }
    m_client->setMode(mode);
    store->setSpliceMode(mode);
    if (m_splitManager)
        m_splitManager->formOnlyGroup(outputs);
    applyVideoRoute(store->videoRouteAt(outputs.first()), outputs.first(), false);
    if (QAbstractButton *button = m_spliceModeGroup->button(store->spliceMode()))
        button->setChecked(true);
}

void Widget::receiveVersionSlot(const QJsonObject &object)
{
    // The delays of the status queries count from the report's arrival; the first one leaves
    // before the views are rebuilt, as it needs nothing from them.
    QElapsedTimer sinceReport;
    sinceReport.start();
    m_client->getStatus();

    DeviceState *store = DeviceState::instance();
    bool follow = false;
    if (m_reports->applyVersion(object, &follow)) {
        arrangeForDeviceType();
        if (store->deviceType() == Dev0409S)
            m_wallCanvas->resetAndLayout();
        AppSettings::instance()->setType(store->deviceType());
    } else {
        // An unknown model keeps the arrangement; the stored type falls back to the default.
        AppSettings::instance()->setType(Dev0809);
        buildTables();
    }
    {
        const QSignalBlocker blocker(m_ui->HdmiAudioComboBox);
        m_ui->HdmiAudioComboBox->setCurrentIndex(follow ? 0 : 1);
    }
    applyHdmiAudioFollow(follow);
    QuerySchedule::sendAfterStatus(m_client, store->deviceType(), sinceReport.elapsed());
}

void Widget::sl_spliceGroupBtnClicked(int btnIndex)
{
    if (m_splitManager)
        applySpliceMode(spliceModeFromInt(btnIndex));
}

void Widget::SingleSplitterButtonChangeSlot(int mode)
{
    if (m_multiviewView)
        m_multiviewView->setLayoutMode(mode);
    DeviceState::instance()->setSplitterModeNormalised(mode);
    m_client->setSplitter(mode);
}

void Widget::sl_sendNewBindMsg(int master, const QList<int> &members)
{
    applyVideoRoute(DeviceState::instance()->videoRouteAt(master), master, false);
    m_client->bindOutputs(master, members);
}

void Widget::sl_sendUnBindMsg(int output)
{
    m_client->unbindOutputs(output);
}

void Widget::onTableDrop(TableWidget *table, int input, int output)
{
    DeviceState *store = DeviceState::instance();
    if (!linkReady(QStringLiteral("input %1 to output %2").arg(input).arg(output))) {
        // The cell already shows the drop; it goes back to what the device has.
        refreshTable(table);
        return;
    }
    const int offset = store->deviceType() == Dev0409S ? 100 : 0;
    if (table == m_ui->videoTableWidget) {
        applyVideoRoute(input, output, true);
        m_client->switchPort(input, output, 0, offset);
    } else if (table == m_ui->InfaredTable) {
        store->setIrRouteAt(output, input);
        m_client->switchPort(input, output, 2, offset);
    } else {
        store->setAudioRouteAt(output, input);
        m_client->switchPort(input, output, 1, offset);
    }
}

bool Widget::groupAllows(int port, int listRight) const
{
    if (!m_permissions)
        return true;
    for (int o : spliceGroupOf(port)) {
        if (!m_permissions->hasPortPermission(o, OutputPortKind) ||
            !m_permissions->hasListPermission(listRight))
            return false;
    }
    return true;
}

void Widget::onOrderToLock(int port, bool lock)
{
    if (!linkReady(QStringLiteral("lock of output %1").arg(port))) {
        m_ui->videoTableWidget->refreshOutputFlags(port);
        return;
    }
    m_client->setOutputLock(port, lock);
    DeviceState::instance()->setOutputLockAt(port, lock);
}

void Widget::onOrderToPause(int port, bool pause)
{
    applyToSpliceGroup(port, pause, &DeviceState::setFrozenAt, &MessageDistance::setFrozen);
}

void Widget::onOrderToMute(int port, bool mute)
{
    applyToSpliceGroup(port, mute, &DeviceState::setVideoMuteAt, &MessageDistance::setVideoMute);
}

void Widget::applyToSpliceGroup(int port, bool on, void (DeviceState::*store)(int, bool),
                                void (MessageDistance::*send)(int, bool))
{
    DeviceState *state = DeviceState::instance();
    if (!linkReady(QStringLiteral("pause or mute of output %1").arg(port))) {
        m_ui->videoTableWidget->refreshOutputFlags(port);
        return;
    }
    if (!groupAllows(port, PausePlayOutputFunction)) {
        showPortWarning();
        m_ui->videoTableWidget->refreshOutputFlags(port);
        return;
    }
    // The rest of the group follows in the view; the device is told for the port only.
    for (int o : spliceGroupOf(port)) {
        if (o != port)
            (state->*store)(o, on);
    }
    (m_client->*send)(port, on);
    (state->*store)(port, on);
}
