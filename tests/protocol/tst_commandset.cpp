// Every command text as it reaches the device over a loopback connection.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"

#include <QtTest>

#include <functional>

using Operation = std::function<void(MessageDistance *)>;
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(DeviceType)

namespace {
QStringList capturedLog;
void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedLog << message;
}
} // namespace

class TestCommandSet : public QObject
{
    Q_OBJECT

    LoopbackPeer *m_device = nullptr;
    MessageDistance *m_client = nullptr;

    void addRow(const char *name, Operation op, const char *text)
    {
        QTest::newRow(name) << op << QByteArray(text);
    }

private slots:
    void initTestCase()
    {
        m_device = new LoopbackPeer(0, this);
        QVERIFY(m_device->isListening());
        m_client = new MessageDistance;
        m_client->connectToDevice(QStringLiteral("127.0.0.1"), m_device->port());
        QTRY_VERIFY(m_client->isConnected());
        QTRY_VERIFY(m_device->hasClient());
    }
    void cleanupTestCase() { delete m_client; }
    void init()
    {
        m_device->clearReceived();
        DeviceState::instance()->setDeviceType(Dev0808);
    }

    void commandText_data()
    {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<QByteArray>("text");
        using MD = MessageDistance;

        addRow("version", &MD::getVersion, "{param=version}");
        addRow("status", &MD::getStatus, "{param=status}");
        addRow("inputinfo", &MD::getInputInfo, "{param=inputinfo}");
        addRow("netInfo", &MD::getNetInfo, "{param=netInfo}");
        addRow("resolution", &MD::getResolution, "{param=resolution}");
        addRow("outputinfo", &MD::getOutputInfo, "{param=outputinfo}");
        addRow("hdcpinfo", &MD::getHdcpInfo, "{param=hdcpinfo}");
        addRow("bindinfo", &MD::getBindInfo, "{param=bindinfo}");
        addRow("Get_Volume", &MD::getVolume, "{param=Get_Volume}");
        addRow("Get_Rotate", &MD::getRotate, "{param=Get_Rotate}");
        addRow("Get_OSD", [](MD *c) { c->getOsd(3); }, "{param=Get_OSD3}");
        addRow("Get_Subtitle", &MD::getSubtitle, "{param=Get_Subtitle}");
        addRow("Get_Noinput", [](MD *c) { c->getNoInput(4); }, "{param=Get_Noinput4}");
        addRow("Get_Scaler", [](MD *c) { c->getScaler(12); }, "{param=Get_Scaler12}");
        addRow("mode", [](MD *c) { c->setMode(2); }, "{param=mode2}");
        addRow("Default", &MD::restoreDefault, "{param=Default}");
        addRow(
            "&ip, mac given before subnet",
            [](MD *c) {
                c->setNetInfo("10.0.0.5", "10.0.0.1", "AA:BB:CC:DD:EE:FF", "255.255.255.0");
            },
            "{param=&ip,ip=10.0.0.5,gateway=10.0.0.1,subnet=255.255.255.0,"
            "mac=AA:BB:CC:DD:EE:FF}");
        addRow(
            "&ip, empty texts", [](MD *c) { c->setNetInfo({}, {}, {}, {}); },
            "{param=&ip,ip=,gateway=,subnet=,mac=}");
        addRow("DHCP_On", [](MD *c) { c->setDhcp(true); }, "{param=DHCP_On}");
        addRow("DHCP_Off", [](MD *c) { c->setDhcp(false); }, "{param=DHCP_Off}");
        addRow("Save", [](MD *c) { c->savePlan(1); }, "{param=Save1}");
        addRow("Recall", [](MD *c) { c->recallPlan(12); }, "{param=Recall12}");
        addRow("Clear", [](MD *c) { c->clearPlan(3); }, "{param=Clear3}");
        addRow("In_Pattern", [](MD *c) { c->setInputPattern(2, 5); }, "{param=In_Pattern2/5}");
        addRow("Out_Pattern", [](MD *c) { c->setOutputPattern(9, 0); }, "{param=Out_Pattern9/0}");
        addRow(
            "No_Signal", [](MD *c) { c->setNoSignal(4, 2, 255, 0, 128); },
            "{param=No_Signal4/2/255/0/128}");
        addRow("Scaler_Mode", [](MD *c) { c->setScalerMode(3, 1); }, "{param=Scaler_Mode3/1}");
        addRow(
            "Port", [](MD *c) { c->setPortResolution(1, "1920x1080x60Hz"); },
            "{param=Port1/1920x1080x60Hz!}");
        addRow(
            "Port, text with placeholders", [](MD *c) { c->setPortResolution(2, "%1x%2"); },
            "{param=Port2/%1x%2!}");
        addRow("Volume", [](MD *c) { c->setVolume(2, 75); }, "{param=Volume2/75}");
        addRow("MuteOn", [](MD *c) { c->muteOn(1); }, "{param=MuteOn1}");
        addRow("MuteOff", [](MD *c) { c->muteOff(8); }, "{param=MuteOff8}");
        addRow("Analog_sel", [](MD *c) { c->setAnalogSelect(3, 1); }, "{param=Analog_sel3/1}");
        addRow("FollowVideo", [](MD *c) { c->setAudioFollow(true); }, "{param=FollowVideo}");
        addRow("AloneVideo", [](MD *c) { c->setAudioFollow(false); }, "{param=AloneVideo}");
        addRow("Frozen on", [](MD *c) { c->setFrozen(4, true); }, "{param=Frozen4/1}");
        addRow("Frozen off", [](MD *c) { c->setFrozen(4, false); }, "{param=Frozen4/0}");
        addRow(
            "Output_Lock locked is 0", [](MD *c) { c->setOutputLock(4, true); },
            "{param=Output_Lock4/0}");
        addRow(
            "Output_Lock unlocked is 1", [](MD *c) { c->setOutputLock(4, false); },
            "{param=Output_Lock4/1}");
        addRow("VideoMuteOn", [](MD *c) { c->setVideoMute(2, true); }, "{param=VideoMuteOn2}");
        addRow("VideoMuteOff", [](MD *c) { c->setVideoMute(2, false); }, "{param=VideoMuteOff2}");
        addRow("Input_HDCP", [](MD *c) { c->setInputHdcp(1, 2); }, "{param=Input_HDCP1/2}");
        addRow("EDID_Sel", [](MD *c) { c->selectEdid(3, 7); }, "{param=EDID_Sel3/7}");
        addRow(
            "Copy_EDID, input then output", [](MD *c) { c->copyEdid(3, 6); },
            "{param=Copy_EDID3/6}");
        addRow("Open", [](MD *c) { c->setCaptionOpen(true); }, "{param=Open}");
        addRow("Close", [](MD *c) { c->setCaptionOpen(false); }, "{param=Close}");
        addRow("Speed", [](MD *c) { c->setCaptionSpeed(5); }, "{param=Speed5}");
        addRow("Left", [](MD *c) { c->setCaptionDirection(0); }, "{param=Left}");
        addRow("Right", [](MD *c) { c->setCaptionDirection(1); }, "{param=Right}");
        addRow(
            "POS, negative without padding", [](MD *c) { c->setCaptionPosition(10, -5); },
            "{param=POS10/-5}");
        addRow(
            "Font_Color", [](MD *c) { c->setCaptionFontColor(255, 128, 0); },
            "{param=Font_Color255/128/0}");
        addRow("Bg_Color", [](MD *c) { c->setCaptionBgColor(0, 0, 0); }, "{param=Bg_Color0/0/0}");
        addRow("Bg_Open", [](MD *c) { c->setCaptionBgOpen(true); }, "{param=Bg_Open}");
        addRow("Bg_Close", [](MD *c) { c->setCaptionBgOpen(false); }, "{param=Bg_Close}");
        addRow("EraseOSD", &MD::eraseOsd, "{param=EraseOSD}");
        addRow("EraseSubtitle", &MD::eraseSubtitle, "{param=EraseSubtitle}");
        addRow("VIR", [](MD *c) { c->setVirMode(3); }, "{param=VIR3}");
        addRow(
            "WindowOpen", [](MD *c) { c->windowOpen(1, 3, 2, 0, 10, 1920, 1080); },
            "{param=WindowOpen1/3/2/0/10/1920/1080}");
        addRow("WindowClose", [](MD *c) { c->windowClose(2); }, "{param=WindowClose2}");
        addRow("WindowCloseAll", &MD::windowCloseAll, "{param=WindowCloseAll}");
        addRow(
            "WindowMove", [](MD *c) { c->windowMove(1, -10, 20); }, "{param=WindowMove1/-10/20}");
        addRow(
            "WindowResize", [](MD *c) { c->windowResize(4, 1, 2, 960, 540); },
            "{param=WindowResize4/1/2/960/540}");
        addRow("WindowLayer", [](MD *c) { c->windowLayer(2, 1); }, "{param=WindowLayer2/1}");
        addRow("Rotate", [](MD *c) { c->setRotate(3, 1); }, "{param=Rotate3/1}");
        addRow("Bezel_x", [](MD *c) { c->setBezelX(1, 2, 3, 4); }, "{param=Bezel_x1/2/3/4}");
        addRow(
            "Bezel_y, unsigned", [](MD *c) { c->setBezelY(0, 4294967295u, 7, 8); },
            "{param=Bezel_y0/4294967295/7/8}");
        addRow("Bind skips the master", [](MD *c) { c->bindOutputs(2, {1, 2, 3});
            },
            "{param=Bind2/1/3}");
        addRow("Bind keeps list order", [](MD *c) { c->bindOutputs(5, {8, 6, 5, 7});
            },
            "{param=Bind5/8/6/7}");
        addRow("Bind, no members", [](MD *c) { c->bindOutputs(5, {}); }, "{param=Bind5}");
        addRow("Bind, signed", [](MD *c) { c->bindOutputs(-1, {-2, 4});
            },
            "{param=Bind-1/-2/4}");
        addRow("UnBind", [](MD *c) { c->unbindOutputs(3); }, "{param=UnBind3}");
        addRow("Splitter", [](MD *c) { c->setSplitter(6); }, "{param=Splitter6}");
        addRow(
            "sendCommand writes UTF-8 as given", [](MD *c) { c->sendCommand("{param=名}"); },
            "{param=\xe5\x90\x8d}");
    }
    void commandText()
    {
        QFETCH(Operation, op);
        QFETCH(QByteArray, text);
        op(m_client);
        QTRY_COMPARE(m_device->received(), text);
    }

    void switchPort_data()
    {
        QTest::addColumn<DeviceType>("type");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("layer");
        QTest::addColumn<QByteArray>("text");

        QTest::newRow("video") << Dev0808 << 3 << 5 << 0 << QByteArray("{param=3VIDEO5}");
        QTest::newRow("audio") << Dev0809 << 3 << 5 << 1 << QByteArray("{param=3AUDIO5}");
        QTest::newRow("infrared") << Dev0404 << 3 << 5 << 2 << QByteArray("{param=3IR5}");
        QTest::newRow("other layer, empty word")
            << Dev0808 << 1 << 2 << 7 << QByteArray("{param=12}");
        QTest::newRow("negative layer, empty word")
            << Dev0808 << 1 << 2 << -1 << QByteArray("{param=12}");
        QTest::newRow("wall model strips 100")
            << Dev0409S << 105 << 102 << 1 << QByteArray("{param=5AUDIO2}");
        QTest::newRow("wall model keeps 100 itself")
            << Dev0409S << 100 << 101 << 0 << QByteArray("{param=100VIDEO1}");
        QTest::newRow("wall model, only one side above 100")
            << Dev0409S << 3 << 205 << 0 << QByteArray("{param=3VIDEO105}");
        QTest::newRow("matrix model keeps offsets")
            << Dev0808 << 105 << 102 << 1 << QByteArray("{param=105AUDIO102}");
        QTest::newRow("0808-S keeps offsets")
            << Dev0808S << 105 << 102 << 0 << QByteArray("{param=105VIDEO102}");
        QTest::newRow("multiview keeps offsets")
            << Dev0809M << 101 << 1 << 0 << QByteArray("{param=101VIDEO1}");
    }
    void switchPort()
    {
        QFETCH(DeviceType, type);
        QFETCH(int, input);
        QFETCH(int, output);
        QFETCH(int, layer);
        QFETCH(QByteArray, text);
        DeviceState::instance()->setDeviceType(type);
        m_client->switchPort(input, output, layer);
        QTRY_COMPARE(m_device->received(), text);
    }

    // A direction with no command puts nothing on the wire but is still logged as sent.
    void captionDirectionWithoutCommand()
    {
        capturedLog.clear();
        qInstallMessageHandler(captureLog);
        m_client->setCaptionDirection(2);
        m_client->setCaptionDirection(-1);
        qInstallMessageHandler(nullptr);
        QCOMPARE(capturedLog.count(QStringLiteral("send: ")), 2);
        m_client->getVersion();
        QTRY_COMPARE(m_device->received(), QByteArray("{param=version}"));
    }

    // Nothing is queued: a command given with no connection is gone for good.
    void commandWithoutConnectionIsLost()
    {
        LoopbackPeer device;
        MessageDistance client;
        client.getStatus();
        client.connectToDevice(QStringLiteral("127.0.0.1"), device.port());
        QTRY_VERIFY(client.isConnected());
        QTRY_VERIFY(device.hasClient());
        client.getVersion();
        QTRY_COMPARE(device.received(), QByteArray("{param=version}"));
    }
};

QTEST_GUILESS_MAIN(TestCommandSet)
#include "tst_commandset.moc"
