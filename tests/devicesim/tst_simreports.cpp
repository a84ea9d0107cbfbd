#include "referenceclient.h"
#include "simreports.h"

#include <QtTest>

using namespace SimReports;

class TestSimReports : public QObject
{
    Q_OBJECT
private slots:
    // A report, the kinds the client must recognise in it, and values as read after repair; the
    // state is away from the factory one, so a report that ignored it would show.
    void clientReadsReport_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QVariantMap>("values");
        SimState m = SimState::factory(Dev0809M, QStringLiteral("127.0.0.1"));
        m.groups[1] = {1, 2, 3};
        m.groups[5] = {5, 6};
        m.volume[2] = 75;
        SimState w = SimState::factory(Dev0409S, QStringLiteral("127.0.0.1"));
        w.bezelX = {1, 2, 3, 40};
        w.windows[3] = SimState::Window{2, 3, 1920, 0, 3840, 2160};
        w.rotate[3] = 1;
        const auto row = [](const char *name, const QByteArray &report, const char *kinds,
                            const QVariantMap &values) {
            QTest::newRow(name) << report << QString(kinds) << values;
        };
        row("version", version(w), "version",
            {{"bezel_x", "1/2/3/40"}, {"device", "0409-S"}, {"type", "HDMI_VIDEO_WALL"}});
        row("network", netInfo(SimState::factory(Dev0808, "127.0.0.1")), "network",
            {{"DHCP", false}, {"ip", "127.0.0.1"}, {"mac", "02:43:56:4E:08:08"}});
        row("routing", routing(m), "routing", {{"video900", "1/2/3/4/5/6/7/8/1"}, {"IR9", 1}});
        row("wall", wallStatus(w), "wall",
            {{"window3", QVariantList{2, 3, 1920, 0, 3840, 2160}}, {"VIR", QVariantList{0, 9}}});
        row("inputs", inputInfo(m), "inputs", {{"input-8", "false"}, {"input-7", "true"}});
        row("outputs", outputInfo(m), "outputs",
            {{"link9", "false/false/true/false"}, {"link1", "true/false/true/false"}});
        row("hdcp", hdcpInfo(m), "hdcp", {{"hdcp_in8", "0"}});
        row("bind", bindInfo(m), "bind", {{"bind1", "1/2/3"}, {"bind2", "5/6"}});
        row("no groups", bindInfo(SimState::factory(Dev0404, "127.0.0.1")), "bind", {{"mode", 2}});
        row("volume", volume(m), "volume", {{"Volume2", 75}, {"Volume8", 50}});
        row("rotation", rotation(w), "rotation", {{"Angle3", 1}, {"Angle9", 0}});
        row("resolution", resolution(m), "resolution", {{"in3", "3840x2160x30Hz"}});
        row("bind notice", bindNotice({2, 1, 3}), "changed", {{"Bind_change", "2/1/3"}});
        row("unbind notice", unbindNotice(4), "changed", {{"UnBind4_change", 4}});
        // The caption is repaired by fixed offsets, so every value width must come out right.
        row("caption on",
            caption(SimState::Caption{true, 255, 7, 255, 70, 1919, 0, false, 255, 0, 0, true, 0}),
            "caption",
            {{"Switch", "true"},
             {"Speed", 255},
             {"Color", "7,255,70"},
             {"Position_x", 1919},
             {"Bg_switch", "false"},
             {"Bg_Color", "255,0,0"},
             {"Move_dir", "right"}});
        row("caption off",
            caption(SimState::Caption{false, 0, 0, 0, 0, 0, 20, true, 1, 2, 3, false, 0}),
            "caption",
            {{"Switch", "false"},
             {"Speed", 0},
             {"Position_y", 20},
             {"Bg_switch", "true"},
             {"Bg_Color", "1,2,3"},
             {"Move_dir", "left"}});
    }

    void clientReadsReport()
    {
        QFETCH(QByteArray, report);
        QFETCH(QVariantMap, values);
        QVERIFY2(!report.contains(' ') && !report.contains('\n'), report);
        QVERIFY(report.count('{') == 1 && report.startsWith('{') && report.endsWith('}'));
        const ReferenceClient::Reading r = ReferenceClient::read(report);
        QVERIFY2(r.parsed, r.repaired);
        QTEST(r.kinds.join('+'), "kinds");
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            QCOMPARE(r.object.value(it.key()).toVariant(), it.value());
    }

    // Texts the client matches in the raw bytes of a read, never to be taken for a report.
    void rawTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("events");
        QTest::addColumn<bool>("whole");
        const SimState::NoSignal red{0, 255, 0, 0};
        QTest::newRow("no-signal answer")
            << noSignal(1, red) << int(ReferenceClient::Forward) << true;
        QTest::newRow("no-signal notice")
            << noSignalNotice(2, red) << int(ReferenceClient::Forward) << true;
        QTest::newRow("scaler answer") << scaler(2, 2) << int(ReferenceClient::Forward) << true;
        QTest::newRow("http acknowledgement") << httpAck() << int(ReferenceClient::Http) << true;
        QTest::newRow("caption is not forwarded") << caption(SimState::Caption()) << 0 << false;
        QTest::newRow("packet answer is silent") << packetAnswer() << 0 << false;
    }

    void rawTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, events);
        QCOMPARE(ReferenceClient::rawPass(text), events);
        QTEST(mustArriveWhole(text), "whole");
        if (events)
            QCOMPARE(ReferenceClient::read(text).kinds, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSimReports)
#include "tst_simreports.moc"
