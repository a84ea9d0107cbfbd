// The device's reports wired to the store, the views following the store, and the operator's
// routing.
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/routingpage.h"
#include "protocol/messagedistance.h"
#include "protocol/queryschedule.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "wall/multiviewview.h"
#include "wall/wallcanvas.h"

#include <QElapsedTimer>

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
    connect(DeviceState::instance(), &DeviceState::changed, this, [this](DeviceState::Part part) {
        if (part == DeviceState::Multiview && m_multiviewView)
            m_multiviewView->refresh();
    });
}

void Widget::refreshTable(TableWidget *table)
{
    m_routing->refreshTable(table);
}

void Widget::applyVideoRoute(int input, int output, bool clearMute)
{
    m_reports->applyVideoRoute(input, output, clearMute);
}

bool Widget::hdmiAudioFollow() const
{
    return m_reports->hdmiAudioFollow();
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
