#include "reportapplydriver.h"

#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/reporttext.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "protocol/replyprocessor.h"
#include "replyfuzzdriver.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "windowstart.h"

#include <QApplication>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

struct Harness
{
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QTcpServer> device; // loopback only: whatever the window sends ends here
    std::unique_ptr<Widget> window;
    std::unique_ptr<CDlgScalingmode> scaling;
    std::unique_ptr<CDlgnosignaloutput> noSignal;
};

Harness *harness = nullptr;

// The results go out on the client's own signals, so they reach the window and the dialogs
// through the connections the application makes, as MessageDistance delivers them.
class ApplySink : public ReplyProcessor::Sink
{
public:
    void report(ReplyDispatch::ReportKind kind, const QJsonObject &object) override
    {
        MessageDistance *c = MessageDistance::instance();
        switch (kind) {
        case ReplyDispatch::ChangedByOthers:
            emit c->receiveChangedByOthersSig(object);
            break;
        case ReplyDispatch::Version:
            emit c->receiveVersionSig(object);
            break;
        case ReplyDispatch::VideoAudioIrMap:
            emit c->receiveVideoAudioIRMapSig(object);
            break;
        case ReplyDispatch::WindowStatus:
            emit c->receiveWindowStatusSig(object);
            break;
        case ReplyDispatch::InputChannelState:
            emit c->receiveInputChannelStateSig(object);
            break;
        case ReplyDispatch::NetWorkInformation:
            emit c->receiveNetWorkImforamtionSig(object);
            break;
        case ReplyDispatch::InOutChannelResolutionMap:
            emit c->receiveInOutChannelResolutionMapSig(object);
            break;
        case ReplyDispatch::OutputInfo:
            emit c->receiveOutputInfoSig(object);
            break;
        case ReplyDispatch::BindInfo:
            emit c->receiveBindInfoSig(object);
            break;
        case ReplyDispatch::VolumeInformation:
            emit c->receiveVolumnImformationSig(object);
            break;
        case ReplyDispatch::TitleInformation:
            emit c->receiveTitleImfSig(object);
            break;
        case ReplyDispatch::RotateAngle:
            emit c->receiveRotateAngleSig(object);
            break;
        case ReplyDispatch::HdcpInfo:
            emit c->receiveHDCPInfoSig(object);
            break;
        case ReplyDispatch::ReportKindCount:
            break;
        }
    }
    void dhcpSwitch(bool on) override { emit MessageDistance::instance()->si_SetDhcpSwitch(on); }
    void forwardText(const QString &text) override
    {
        // The scaling dialog reads only its own port's answer; it is set to the answer's.
        bool ok = false;
        const int channel = ReportText::channel(text, &ok);
        if (ok)
            harness->scaling->setPort(channel);
        ReportText::colorFromText(ReportText::valueAfter(text, QStringLiteral("\"Color\":")));
        emit MessageDistance::instance()->si_ForwardAnalysis(text);
    }
    void httpAcknowledged() override { emit MessageDistance::instance()->si_http200Analysis(); }
    void log(const QString &) override {}
};

void feed(ReplyProcessor &processor, const QByteArray &chunk)
{
    processor.appendMessageBytes(chunk);
    processor.appendRawText(chunk);
    while (processor.runCycle()) {
    }
}

} // namespace

bool startReportApply(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    silenceQtMessages();
    harness = new Harness;
    harness->app = std::make_unique<QApplication>(*argc, *argv);
    harness->dir = std::make_unique<QTemporaryDir>();
    harness->device = std::make_unique<QTcpServer>();
    if (!harness->dir->isValid() || !harness->device->listen(QHostAddress::LocalHost, 0))
        return false;
    QTcpServer *device = harness->device.get();
    QObject::connect(device, &QTcpServer::newConnection, device, [device] {
        while (QTcpSocket *peer = device->nextPendingConnection()) {
            QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] { peer->readAll(); });
            QObject::connect(peer, &QTcpSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    prepareLoginFreeStart(harness->dir->path(), device->serverPort());
    harness->window = std::make_unique<Widget>();
    harness->scaling = std::make_unique<CDlgScalingmode>(harness->window.get());
    harness->noSignal = std::make_unique<CDlgnosignaloutput>(harness->window.get());
    harness->noSignal->setPort(1);
    // The dialogs hear what the window's dialogs hear: the client's notices and the echoed mode.
    MessageDistance *client = MessageDistance::instance();
    ReportApplier *reports = harness->window->reports();
    QObject::connect(client, &MessageDistance::si_ForwardAnalysis, harness->scaling.get(),
                     &CDlgScalingmode::sl_StateUpdate);
    QObject::connect(reports, &ReportApplier::scalingModeEchoed, harness->scaling.get(),
                     &CDlgScalingmode::sl_StateUpdate);
    QObject::connect(client, &MessageDistance::si_ForwardAnalysis, harness->noSignal.get(),
                     &CDlgnosignaloutput::sl_StateUpdate);
    QObject::connect(reports, &ReportApplier::scalingModeEchoed, harness->noSignal.get(),
                     &CDlgnosignaloutput::sl_StateUpdate);
    QCoreApplication::processEvents();
    return true;
}

bool runReportApply(const uint8_t *data, size_t size)
{
    // The model is the one the last version report chose, in this input or an earlier one:
    // rebuilding the views for another model on every input would cost most of the time.
    DeviceState *store = DeviceState::instance();
    uint32_t state = uint32_t(size) * 2654435761u + (size ? data[size - 1] : 0u);
    ApplySink sink;
    ReplyProcessor processor(&sink);
    size_t at = 0;
    while (at < size) {
        state = state * 1103515245u + 12345u;
        const size_t length = std::min<size_t>(1 + (state >> 16) % 64, size - at);
        feed(processor, QByteArray(reinterpret_cast<const char *>(data + at), int(length)));
        at += length;
    }
    // Whatever came before, a closing brace ends it and the next report is applied.
    static int mark = 0;
    mark = mark % 1000 + 1;
    feed(processor, QByteArrayLiteral("}"));
    feed(processor, "{\"Angle9\":" + QByteArray::number(mark) + "}");
    // Timers the reports started (the status queries after a version) run when they are due;
    // what the views let go of with deleteLater goes, as the event loop would see to.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return store->rotateAngleAt(9) == mark && processor.pendingMessageBytes() == 0 &&
           processor.pendingRawBytes() == 0;
}

void stopReportApply()
{
    if (!harness)
        return;
    harness->noSignal.reset();
    harness->scaling.reset();
    harness->window.reset();
    MessageDistance::instance()->closeConnections();
    delete harness;
    harness = nullptr;
}
