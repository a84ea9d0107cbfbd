#include "referenceclient.h"
#include "simreports.h"

#include <QtTest>

using namespace SimReports;

namespace {

// Values away from the factory ones, so a report that ignored the state would show it.
SimState sampleState(DeviceType type)
{
    SimState s = SimState::factory(type, QStringLiteral("127.0.0.1"));
    s.groups[1] = {1, 2, 3};
    s.groups[5] = {5, 6};
    s.volume[2] = 75;
    s.bezelX = {1, 2, 3, 40};
    s.windows[3] = SimState::Window{2, 3, 1920, 0, 3840, 2160};
    s.rotate[3] = 1;
    return s;
}

} // namespace

class TestSimReports : public QObject
{
    Q_OBJECT
private slots:
    void exactText_data();
    void exactText();
    void clientReadsReport_data();
    void clientReadsReport();
    void rawTexts_data();
    void rawTexts();
    void caption_valuesSurviveAnyState_data();
    void caption_valuesSurviveAnyState();
};

void TestSimReports::exactText_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QByteArray>("expected");
    const SimState wall = SimState::factory(Dev0409S, QStringLiteral("127.0.0.1"));
    const SimState matrix = SimState::factory(Dev0808, QStringLiteral("127.0.0.1"));
    QTest::newRow("version of the wall")
        << version(wall)
        << QByteArray("{\"type\":\"HDMI_VIDEO_WALL\",\"MCU\":\"V1.2.0\",\"FPGA\":\"V3.0.5\","
                      "\"device\":\"0409-S\",\"audio\":true,\"bezel_x\":\"0/0/0/0\","
                      "\"bezel_y\":\"0/0/0/0\"}");
    QTest::newRow("wall status")
        << wallStatus(wall)
        << QByteArray("{window1:1,1,0,0,1920,1080,window2:0,0,0,0,0,0,window3:0,0,0,0,0,0,"
                      "window4:0,0,0,0,0,0,VIR:0,9,AUDIO:1}");
    QTest::newRow("caption")
        << caption(SimState::Caption{true, 12, 255, 0, 0, 100, 200, true, 10, 20, 30, true, 0})
        << QByteArray("{\"Switch\":true,\"Speed\":12,\"Color\":255,0,0,\"Position_x\":100,"
                      "\"Position_y\":200,\"Bg_switch\":true,\"Bg_Color\":10,20,30,"
                      "\"Move_dir\":right}");
    QTest::newRow("net info, DHCP first")
        << netInfo(matrix)
        << QByteArray("{\"DHCP\":false,\"ip\":\"127.0.0.1\",\"gateway\":\"127.0.0.1\","
                      "\"subnet\":\"255.0.0.0\",\"mac\":\"02:43:56:4E:08:08\"}");
    QTest::newRow("http acknowledgement")
        << httpAck() << QByteArray("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK");
}

void TestSimReports::exactText()
{
    QFETCH(QByteArray, report);
    QFETCH(QByteArray, expected);
    QCOMPARE(report, expected);
}

// A report, the kinds the client must recognise in it, and one value as read after repair.
void TestSimReports::clientReadsReport_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    const SimState m = sampleState(Dev0809M);
    const SimState w = sampleState(Dev0409S);
    QTest::newRow("version bezel")
        << version(w) << QStringList{"version"} << "bezel_x" << QVariant("1/2/3/40");
    QTest::newRow("routing multiview windows")
        << routing(m) << QStringList{"routing"} << "video900" << QVariant("1/2/3/4/5/6/7/8/1");
    QTest::newRow("wall window") << wallStatus(w) << QStringList{"wall"} << "window3"
                                 << QVariant(QVariantList{2, 3, 1920, 0, 3840, 2160});
    QTest::newRow("inputs") << inputInfo(m) << QStringList{"inputs"} << "input-8"
                            << QVariant("false");
    QTest::newRow("outputs muted, unlinked last")
        << outputInfo(m) << QStringList{"outputs"} << "link9" << QVariant("false/false/true/false");
    QTest::newRow("bind first group")
        << bindInfo(m) << QStringList{"bind"} << "bind1" << QVariant("1/2/3");
    QTest::newRow("bind without groups") << bindInfo(SimState::factory(Dev0809, "127.0.0.1"))
                                         << QStringList{"bind"} << "mode" << QVariant(0);
    QTest::newRow("volume") << volume(m) << QStringList{"volume"} << "Volume2" << QVariant(75);
    QTest::newRow("rotation") << rotation(w) << QStringList{"rotation"} << "Angle3" << QVariant(1);
    QTest::newRow("bind notice") << bindNotice({2, 1, 3}) << QStringList{"changed"} << "Bind_change"
                                 << QVariant("2/1/3");
}

void TestSimReports::clientReadsReport()
{
    QFETCH(QByteArray, report);
    QFETCH(QStringList, kinds);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QVERIFY2(!report.contains(' ') && !report.contains('\n'), report);
    QCOMPARE(report.count('{'), 1);
    QCOMPARE(report.count('}'), 1);
    QVERIFY(report.startsWith('{') && report.endsWith('}'));
    const ReferenceClient::Reading r = ReferenceClient::read(report);
    QVERIFY2(r.parsed, r.repaired);
    QCOMPARE(r.kinds, kinds);
    QCOMPARE(r.object.value(key).toVariant(), value);
}

// Texts the client matches in the raw bytes of a read: the no-signal and scaler answers and
// notices, and the acknowledgement. None of them may be taken for a report.
void TestSimReports::rawTexts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("events");
    QTest::addColumn<bool>("whole");
    const SimState::NoSignal red{0, 255, 0, 0};
    QTest::newRow("no-signal answer") << noSignal(1, red) << int(ReferenceClient::Forward) << true;
    QTest::newRow("scaler answer") << scaler(2, 2) << int(ReferenceClient::Forward) << true;
    QTest::newRow("http acknowledgement") << httpAck() << int(ReferenceClient::Http) << true;
    QTest::newRow("caption is not forwarded") << caption(SimState::Caption()) << 0 << false;
    QTest::newRow("packet answer is silent") << packetAnswer() << 0 << false;
}

void TestSimReports::rawTexts()
{
    QFETCH(QByteArray, text);
    QFETCH(int, events);
    QFETCH(bool, whole);
    QCOMPARE(ReferenceClient::rawPass(text), events);
    QCOMPARE(mustArriveWhole(text), whole);
    for (const QByteArray &m : ReferenceClient::cut(text)) {
        if (events)
            QCOMPARE(ReferenceClient::read(m).kinds, QStringList());
    }
}

// The caption report is repaired by fixed offsets, so every value width must come out right.
void TestSimReports::caption_valuesSurviveAnyState_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("speed");
    QTest::newRow("off, slow, left") << false << 0;
    QTest::newRow("on, fast, right") << true << 255;
}

void TestSimReports::caption_valuesSurviveAnyState()
{
    QFETCH(bool, on);
    QFETCH(int, speed);
    const SimState::Caption c{on, speed, 7, 255, 70, 1919, 0, !on, 255, 0, 0, on, 0};
    const ReferenceClient::Reading r = ReferenceClient::read(caption(c));
    QVERIFY2(r.parsed, r.repaired);
    QCOMPARE(r.kinds, QStringList{"caption"});
    QCOMPARE(r.object.value("Switch").toString(), on ? "true" : "false");
    QCOMPARE(r.object.value("Bg_switch").toString(), on ? "false" : "true");
    QCOMPARE(r.object.value("Speed").toInt(), speed);
    QCOMPARE(r.object.value("Color").toString(), QString("7,255,70"));
    QCOMPARE(r.object.value("Bg_Color").toString(), QString("255,0,0"));
    QCOMPARE(r.object.value("Position_x").toInt(), 1919);
    QCOMPARE(r.object.value("Move_dir").toString(), on ? "right" : "left");
}

QTEST_GUILESS_MAIN(TestSimReports)
#include "tst_simreports.moc"
