// The device's reports wired to the report applier, and the version report's arrangement.
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "dialogs/uploaderrordialogs.h"
#include "mainwindow/routingpage.h"
#include "protocol/messagedistance.h"
#include "protocol/queryschedule.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "wall/wallcanvas.h"

#include <QElapsedTimer>

void Widget::connectReports()
{
    MessageDistance *c = m_client;
    ReportApplier *r = m_reports;
    connect(c, &MessageDistance::connectSuccessFulSig, this, [c] { c->getVersion(); });
    connect(c, &MessageDistance::receiveVersionSig, this, &Widget::onVersion);
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
    connect(c, &MessageDistance::si_ForwardAnalysis, this, &Widget::si_ForwardAnalysis);
    connect(r, &ReportApplier::scalingModeEchoed, this, &Widget::si_ForwardAnalysis);
    connect(r, &ReportApplier::windowsReported, this, &Widget::si_windows_ready);
    connect(r, &ReportApplier::rotationReported, this, &Widget::si_rotate_degree_ready);
    connect(r, &ReportApplier::outputResolutionChangedByOthers, this,
            &Widget::si_outResoluChangedByOthers);
    connect(r, &ReportApplier::hdcpChangedByOthers, this, &Widget::si_hdcpChangedByOthers);
    // Upload failures are shown once the channel's handler has returned (one reporter only).
    installUploadErrorDialogs();
}

bool Widget::hdmiAudioFollow() const
{
    return m_reports->hdmiAudioFollow();
}

void Widget::onVersion(const QJsonObject &object)
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
        m_routing->buildTables();
    }
    {
        const QSignalBlocker blocker(m_ui->HdmiAudioComboBox);
        m_ui->HdmiAudioComboBox->setCurrentIndex(follow ? 0 : 1);
    }
    applyHdmiAudioFollow(follow);
    QuerySchedule::sendAfterStatus(m_client, store->deviceType(), sinceReport.elapsed());
}
