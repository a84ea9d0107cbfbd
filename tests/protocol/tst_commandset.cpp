// Every command text as it reaches the device over a loopback connection.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"

#include <QtTest>

#include <functional>

using Operation = std::function<void(MessageDistance *)>;
Q_DECLARE_METATYPE(Operation)

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

private slots:
    void initTestCase()
    {
        m_device = new LoopbackPeer(0, this);
        m_client = new MessageDistance;
        m_client->connectToDevice(QStringLiteral("127.0.0.1"), m_device->port());
        QTRY_VERIFY(m_client->isConnected() && m_device->hasClient());
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
#define ROW(call, text)                                                                            \
    QTest::newRow(#call) << Operation([](MessageDistance *c) { c->call; }) << QByteArray(text)
        // The queries, word for word: the device answers the exact text only.
        ROW(getVersion(), "{param=version}");
        ROW(getStatus(), "{param=status}");
        ROW(getInputInfo(), "{param=inputinfo}");
        ROW(getNetInfo(), "{param=netInfo}");
        ROW(getResolution(), "{param=resolution}");
        ROW(getOutputInfo(), "{param=outputinfo}");
        ROW(getHdcpInfo(), "{param=hdcpinfo}");
        ROW(getBindInfo(), "{param=bindinfo}");
        ROW(getVolume(), "{param=Get_Volume}");
        ROW(getRotate(), "{param=Get_Rotate}");
        ROW(getOsd(3), "{param=Get_OSD3}");
        ROW(getSubtitle(), "{param=Get_Subtitle}");
        ROW(getNoInput(2), "{param=Get_Noinput2}");
        ROW(getScaler(4), "{param=Get_Scaler4}");
        ROW(setMode(2), "{param=mode2}");
        ROW(restoreDefault(), "{param=Default}");
        // The mac is given before the subnet but goes last.
        ROW(setNetInfo("10.0.0.5", "10.0.0.1", "AA:BB:CC:DD:EE:FF", "255.255.255.0"),
            "{param=&ip,ip=10.0.0.5,gateway=10.0.0.1,subnet=255.255.255.0,mac=AA:BB:CC:DD:EE:FF}");
        ROW(setDhcp(true), "{param=DHCP_On}");
        ROW(setDhcp(false), "{param=DHCP_Off}");
        ROW(savePlan(1), "{param=Save1}");
        ROW(recallPlan(12), "{param=Recall12}");
        ROW(clearPlan(3), "{param=Clear3}");
        ROW(setInputPattern(2, 5), "{param=In_Pattern2/5}");
        ROW(setOutputPattern(9, 0), "{param=Out_Pattern9/0}");
        ROW(setNoSignal(4, 2, 255, 0, 128), "{param=No_Signal4/2/255/0/128}");
        ROW(setScalerMode(3, 1), "{param=Scaler_Mode3/1}");
        ROW(setPortResolution(1, "1920x1080x60Hz"), "{param=Port1/1920x1080x60Hz!}");
        ROW(setPortResolution(2, "%1x%2"), "{param=Port2/%1x%2!}");
        ROW(setVolume(2, 75), "{param=Volume2/75}");
        ROW(muteOn(1), "{param=MuteOn1}");
        ROW(muteOff(8), "{param=MuteOff8}");
        ROW(setAnalogSelect(3, 1), "{param=Analog_sel3/1}");
        ROW(setAudioFollow(true), "{param=FollowVideo}");
        ROW(setAudioFollow(false), "{param=AloneVideo}");
        ROW(setFrozen(4, true), "{param=Frozen4/1}");
        ROW(setFrozen(4, false), "{param=Frozen4/0}");
        // Locked is 0, unlocked 1.
        ROW(setOutputLock(4, true), "{param=Output_Lock4/0}");
        ROW(setOutputLock(4, false), "{param=Output_Lock4/1}");
        ROW(setVideoMute(2, true), "{param=VideoMuteOn2}");
        ROW(setVideoMute(2, false), "{param=VideoMuteOff2}");
        ROW(setInputHdcp(1, 2), "{param=Input_HDCP1/2}");
        ROW(selectEdid(3, 7), "{param=EDID_Sel3/7}");
        ROW(copyEdid(3, 6), "{param=Copy_EDID3/6}");
        ROW(setCaptionOpen(true), "{param=Open}");
        ROW(setCaptionOpen(false), "{param=Close}");
        ROW(setCaptionSpeed(5), "{param=Speed5}");
        ROW(setCaptionDirection(0), "{param=Left}");
        ROW(setCaptionDirection(1), "{param=Right}");
        ROW(setCaptionPosition(10, -5), "{param=POS10/-5}");
        ROW(setCaptionFontColor(255, 128, 0), "{param=Font_Color255/128/0}");
        ROW(setCaptionBgColor(0, 0, 0), "{param=Bg_Color0/0/0}");
        ROW(setCaptionBgOpen(true), "{param=Bg_Open}");
        ROW(setCaptionBgOpen(false), "{param=Bg_Close}");
        ROW(eraseOsd(), "{param=EraseOSD}");
        ROW(eraseSubtitle(), "{param=EraseSubtitle}");
        ROW(setVirMode(3), "{param=VIR3}");
        ROW(windowOpen(1, 3, 2, 0, 10, 1920, 1080), "{param=WindowOpen1/3/2/0/10/1920/1080}");
        ROW(windowClose(2), "{param=WindowClose2}");
        ROW(windowCloseAll(), "{param=WindowCloseAll}");
        ROW(windowMove(1, -10, 20), "{param=WindowMove1/-10/20}");
        ROW(windowResize(4, 1, 2, 960, 540), "{param=WindowResize4/1/2/960/540}");
        ROW(windowLayer(2, 1), "{param=WindowLayer2/1}");
        ROW(setRotate(3, 1), "{param=Rotate3/1}");
        ROW(setBezelX(1, 2, 3, 4), "{param=Bezel_x1/2/3/4}");
        ROW(setBezelY(0, 4294967295u, 7, 8), "{param=Bezel_y0/4294967295/7/8}");
        // The master is left out of its own list; the others keep their order.
        ROW(bindOutputs(5, {8, 6, 5, 7}), "{param=Bind5/8/6/7}");
        ROW(bindOutputs(5, {}), "{param=Bind5}");
        ROW(unbindOutputs(3), "{param=UnBind3}");
        ROW(setSplitter(6), "{param=Splitter6}");
        ROW(sendCommand("{param=名}"), "{param=\xe5\x90\x8d}");
        // Switching: the word follows the layer; ports above the offset lose it.
        ROW(switchPort(3, 5, 1, 0), "{param=3AUDIO5}");
        ROW(switchPort(3, 5, 2, 0), "{param=3IR5}");
        ROW(switchPort(1, 2, 7, 0), "{param=12}");
        ROW(switchPort(1, 2, -1, 0), "{param=12}");
        ROW(switchPort(105, 102, 1, 100), "{param=5AUDIO2}");
        ROW(switchPort(100, 101, 0, 100), "{param=100VIDEO1}");
        ROW(switchPort(3, 205, 0, 100), "{param=3VIDEO105}");
        ROW(switchPort(105, 102, 1, 0), "{param=105AUDIO102}");
#undef ROW
    }
    void commandText()
    {
        QFETCH(Operation, op);
        QFETCH(QByteArray, text);
        op(m_client);
        QTRY_COMPARE(m_device->received(), text);
    }

    // A direction with no command sends nothing; a command without a connection is not queued.
    void nothingOnTheWire()
    {
        capturedLog.clear();
        qInstallMessageHandler(captureLog);
        m_client->setCaptionDirection(2);
        m_client->setCaptionDirection(-1);
        qInstallMessageHandler(nullptr);
        QCOMPARE(capturedLog.count(QStringLiteral("send: ")), 2);
        LoopbackPeer device;
        MessageDistance client;
        client.getStatus();
        client.connectToDevice(QStringLiteral("127.0.0.1"), device.port());
        QTRY_VERIFY(client.isConnected() && device.hasClient());
        client.getVersion();
        m_client->getVersion();
        QTRY_COMPARE(device.received(), QByteArray("{param=version}"));
        QTRY_COMPARE(m_device->received(), QByteArray("{param=version}"));
    }
};

QTEST_GUILESS_MAIN(TestCommandSet)
#include "tst_commandset.moc"
