// Every command text as it reaches the device over a loopback connection.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "protocol/queryschedule.h"
#include "state/devicestate.h"

#include <QtTest>

#include <functional>

using Operation = std::function<void(MessageDistance *)>;
Q_DECLARE_METATYPE(Operation)

class TestCommandSet : public QObject
{
    Q_OBJECT

    LoopbackPeer m_device;
    MessageDistance m_client;

private slots:
    void initTestCase()
    {
        m_client.connectToDevice(QStringLiteral("127.0.0.1"), m_device.port());
        QTRY_VERIFY(m_client.isConnected() && m_device.hasClient());
        DeviceState::instance()->setDeviceType(Dev0808);
    }
    void init() { m_device.clearReceived(); }

    void commandText_data()
    {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<QByteArray>("text");
#define ROW(name, text, ...)                                                                       \
    QTest::newRow(name) << Operation([](MessageDistance *c) { __VA_ARGS__; }) << QByteArray(text)
        ROW("queries",
            "{param=version}{param=status}{param=inputinfo}{param=netInfo}{param=resolution}"
            "{param=outputinfo}{param=hdcpinfo}{param=bindinfo}{param=Get_Volume}"
            "{param=Get_Rotate}{param=Get_OSD3}{param=Get_Subtitle}{param=Get_Noinput2}"
            "{param=Get_Scaler4}",
            c->getVersion(), c->getStatus(), c->getInputInfo(), c->getNetInfo(), c->getResolution(),
            c->getOutputInfo(), c->getHdcpInfo(), c->getBindInfo(), c->getVolume(), c->getRotate(),
            c->getOsd(3), c->getSubtitle(), c->getNoInput(2), c->getScaler(4));
        // The mac is given before the subnet but goes last.
        ROW("network",
            "{param=&ip,ip=10.0.0.5,gateway=10.0.0.1,subnet=255.255.255.0,mac=AA:BB:CC:DD:EE:FF}"
            "{param=DHCP_On}{param=DHCP_Off}{param=mode2}{param=Default}",
            c->setNetInfo("10.0.0.5", "10.0.0.1", "AA:BB:CC:DD:EE:FF", "255.255.255.0"),
            c->setDhcp(true), c->setDhcp(false), c->setMode(2), c->restoreDefault());
        ROW("plans and patterns",
            "{param=Save1}{param=Recall12}{param=Clear3}{param=In_Pattern2/5}"
            "{param=Out_Pattern9/0}{param=No_Signal4/2/255/0/128}{param=Scaler_Mode3/1}"
            "{param=Port1/1920x1080x60Hz!}{param=Port2/%1x%2!}",
            c->savePlan(1), c->recallPlan(12), c->clearPlan(3), c->setInputPattern(2, 5),
            c->setOutputPattern(9, 0), c->setNoSignal(4, 2, 255, 0, 128), c->setScalerMode(3, 1),
            c->setPortResolution(1, "1920x1080x60Hz"), c->setPortResolution(2, "%1x%2"));
        ROW("audio",
            "{param=Volume2/75}{param=MuteOn1}{param=MuteOff8}{param=Analog_sel3/1}"
            "{param=FollowVideo}{param=AloneVideo}",
            c->setVolume(2, 75), c->muteOn(1), c->muteOff(8), c->setAnalogSelect(3, 1),
            c->setAudioFollow(true), c->setAudioFollow(false));
        ROW("outputs",
            "{param=Frozen4/1}{param=Frozen4/0}{param=Output_Lock4/0}{param=Output_Lock4/1}"
            "{param=VideoMuteOn2}{param=VideoMuteOff2}{param=Input_HDCP1/2}{param=EDID_Sel3/7}"
            "{param=Copy_EDID3/6}",
            c->setFrozen(4, true), c->setFrozen(4, false), c->setOutputLock(4, true),
            c->setOutputLock(4, false), c->setVideoMute(2, true), c->setVideoMute(2, false),
            c->setInputHdcp(1, 2), c->selectEdid(3, 7), c->copyEdid(3, 6));
        // A direction with no command sends nothing.
        ROW("caption",
            "{param=Open}{param=Close}{param=Speed5}{param=Left}{param=Right}{param=POS10/-5}"
            "{param=Font_Color255/128/0}{param=Bg_Color0/0/0}{param=Bg_Open}{param=Bg_Close}"
            "{param=EraseOSD}{param=EraseSubtitle}",
            c->setCaptionOpen(true), c->setCaptionOpen(false), c->setCaptionSpeed(5),
            c->setCaptionDirection(0), c->setCaptionDirection(1), c->setCaptionDirection(2),
            c->setCaptionDirection(-1), c->setCaptionPosition(10, -5),
            c->setCaptionFontColor(255, 128, 0), c->setCaptionBgColor(0, 0, 0),
            c->setCaptionBgOpen(true), c->setCaptionBgOpen(false), c->eraseOsd(),
            c->eraseSubtitle());
        ROW("windows",
            "{param=VIR3}{param=WindowOpen1/3/2/0/10/1920/1080}{param=WindowClose2}"
            "{param=WindowCloseAll}{param=WindowMove1/-10/20}{param=WindowResize4/1/2/960/540}"
            "{param=WindowLayer2/1}{param=Rotate3/1}{param=Bezel_x1/2/3/4}"
            "{param=Bezel_y0/4294967295/7/8}{param=Splitter6}",
            c->setVirMode(3), c->windowOpen(1, 3, 2, 0, 10, 1920, 1080), c->windowClose(2),
            c->windowCloseAll(), c->windowMove(1, -10, 20), c->windowResize(4, 1, 2, 960, 540),
            c->windowLayer(2, 1), c->setRotate(3, 1), c->setBezelX(1, 2, 3, 4),
            c->setBezelY(0, 4294967295u, 7, 8), c->setSplitter(6));
        // The master is left out of its own list; the others keep their order.
        ROW("bind", "{param=Bind5/8/6/7}{param=Bind5}{param=UnBind3}{param=\xe5\x90\x8d}",
            c->bindOutputs(5, {8, 6, 5, 7}), c->bindOutputs(5, {}), c->unbindOutputs(3),
            c->sendCommand("{param=名}"));
        // The word follows the layer; ports above the offset lose it.
        ROW("switching",
            "{param=3AUDIO5}{param=3IR5}{param=12}{param=12}{param=5AUDIO2}{param=100VIDEO1}"
            "{param=3VIDEO105}{param=105AUDIO102}",
            c->switchPort(3, 5, 1, 0), c->switchPort(3, 5, 2, 0), c->switchPort(1, 2, 7, 0),
            c->switchPort(1, 2, -1, 0), c->switchPort(105, 102, 1, 100),
            c->switchPort(100, 101, 0, 100), c->switchPort(3, 205, 0, 100),
            c->switchPort(105, 102, 1, 0));
        // What follows a status report, per model, in order once the report is old enough.
        ROW("after status",
            "{param=inputinfo}{param=netInfo}{param=resolution}{param=Get_Rotate}"
            "{param=inputinfo}{param=netInfo}{param=resolution}{param=hdcpinfo}{param=outputinfo}"
            "{param=inputinfo}{param=netInfo}{param=resolution}{param=hdcpinfo}{param=outputinfo}"
            "{param=bindinfo}",
            QuerySchedule::sendAfterStatus(c, Dev0409S, 1000),
            QuerySchedule::sendAfterStatus(c, Dev0808S, 1000),
            QuerySchedule::sendAfterStatus(c, Dev0809, 1000));
#undef ROW
    }
    void commandText()
    {
        QFETCH(Operation, op);
        QFETCH(QByteArray, text);
        op(&m_client);
        QTRY_COMPARE(m_device.received(), text);
    }
};

QTEST_GUILESS_MAIN(TestCommandSet)
#include "tst_commandset.moc"
