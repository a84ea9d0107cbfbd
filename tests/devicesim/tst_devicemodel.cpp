#include "devicemodel.h"
#include "referenceclient.h"
#include "simreports.h"

#include <QJsonArray>
#include <QtTest>

namespace {

// Applies each body as a fresh client would; the last one's outcome.
CommandOutcome run(DeviceModel &m, const QStringList &bodies)
{
    CommandOutcome last;
    for (const QString &body : bodies) {
        DeviceModel::Session session;
        last = m.apply(body, session);
    }
    return last;
}

// The notices as the other clients read them, written back as compact JSON one after another.
QByteArray noticesRead(const CommandOutcome &o)
{
    QByteArray out;
    for (const QByteArray &notice : o.notices)
        out += QJsonDocument(ReferenceClient::read(notice).object).toJson(QJsonDocument::Compact);
    return out;
}

// Every query's answer at once, to see that nothing changed.
QByteArray everything(const SimState &s)
{
    using namespace SimReports;
    return status(s) + outputInfo(s) + volume(s) + resolution(s) + bindInfo(s) + netInfo(s) +
           rotation(s);
}

// The wall as a client reads the status answer: "id:input/layer/x/y/width/height" per open
// window, then the VIR array.
QString wallRead(const QByteArray &report)
{
    const QJsonObject o = ReferenceClient::read(report).object;
    QStringList parts;
    for (int id = 1; id <= 4; ++id) {
        const QJsonArray w = o.value(QStringLiteral("window%1").arg(id)).toArray();
        if (w.size() != 6)
            return QStringLiteral("window%1 has %2 numbers").arg(id).arg(w.size());
        if (w.at(0).toInt() == 0)
            continue;
        QStringList numbers;
        for (const QJsonValue &n : w)
            numbers << QString::number(n.toInt());
        parts << QStringLiteral("%1:%2").arg(id).arg(numbers.join('/'));
    }
    const QJsonArray vir = o.value(QStringLiteral("VIR")).toArray();
    parts << QStringLiteral("VIR:%1,%2").arg(vir.at(0).toInt()).arg(vir.at(1).toInt());
    return parts.join(' ');
}

} // namespace

class TestDeviceModel : public QObject
{
    Q_OBJECT
private slots:
    void setCommands_data();
    void setCommands();
    void refusedCommandsChangeNothing_data();
    void refusedCommandsChangeNothing();
    void wallWindows_data();
    void wallWindows();
    void videoRouteSwitchesTheWholeGroup();
    void bindReplacesOverlappingGroups();
    void spliceModeOf0808S();
    void captionCommandsFollowTheLastQuery();
    void plans();
    void factoryReset();
    void networkChange();
    void uploads();
    void inputSignal();
};

// Model, body, the one notice the others get as they read it, and one state value after.
void TestDeviceModel::setCommands_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("after");
    const auto row = [](const char *name, int type, const char *body, const char *notice,
                        const char *after) {
        QTest::newRow(name) << type << body << notice << after;
    };
    row("video", Dev0809, "3VIDEO5", R"({"video5_change":3})", "video5=3");
    row("analog audio", Dev0808, "103AUDIO4", R"({"audio4_change":103})", "audio4=103");
    row("IR", Dev0809, "4IR1", R"({"IR1_change":4})", "ir1=4");
    row("wall audio", Dev0409S, "3AUDIO1", R"({"audio1_change":3})", "wallAudio=3");
    row("multiview window", Dev0809M, "6VIDEO903", R"({"video903_change":6})", "multiview3=6");
    row("lock, 0 locks", Dev0809, "Output_Lock3/0", R"({"Output_Lock_change":"Output_Lock3/0"})",
        "locked3=true");
    row("resolution", Dev0809, "Port2/1280x720x60Hz!", R"({"Port_change":"Port2/1280x720x60Hz!"})",
        "resolution2=1280x720x60Hz");
    row("wall resolution is every screen's", Dev0409S, "Port1/3840x2160x30Hz!",
        R"({"Port_change":"Port1/3840x2160x30Hz!"})", "resolution9=3840x2160x30Hz");
    row("volume", Dev0809, "Volume2/80", R"({"Volume_change":"Volume2/80"})", "volume2=80");
    row("wall volume from 101", Dev0409S, "Volume102/10", R"({"Volume_change":"Volume102/10"})",
        "volume2=10");
    row("bezel", Dev0409S, "Bezel_y1/2/3/4", R"({"Bezel_y_change":"Bezel_y1/2/3/4"})",
        "bezelY=1/2/3/4");
}

void TestDeviceModel::setCommands()
{
    QFETCH(int, type);
    QFETCH(QString, body);
    QFETCH(QString, notice);
    QFETCH(QString, after);
    DeviceModel m(DeviceType(type), QStringLiteral("127.0.0.1"));
    const CommandOutcome o = run(m, {body});
    QCOMPARE(int(o.kind), int(CommandOutcome::Set));
    QVERIFY(o.replies.isEmpty());
    QCOMPARE(QString(noticesRead(o)), notice);
    QCOMPARE(ReferenceClient::read(o.notices.first()).kinds, QStringList{"changed"});

    const SimState &s = m.state();
    const QVector<uint> &b = s.bezelY;
    const QStringList fields{
        QString("video5=%1").arg(s.video.value(5)),
        QString("audio4=%1").arg(s.audio.value(4)),
        QString("ir1=%1").arg(s.ir.value(1)),
        QString("wallAudio=%1").arg(s.wallAudio),
        QString("multiview3=%1").arg(s.multiview.value(3)),
        QString("locked3=%1").arg(s.locked.value(3) ? "true" : "false"),
        "resolution2=" + s.outputResolution.value(2),
        "resolution9=" + s.outputResolution.value(9),
        QString("volume2=%1").arg(s.volume.value(2)),
        QString("bezelY=%1/%2/%3/%4").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]),
    };
    QVERIFY2(fields.contains(after), qPrintable(fields.join(' ')));
}

void TestDeviceModel::refusedCommandsChangeNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("kind");
    const int rejected = CommandOutcome::Rejected;
    QTest::newRow("unknown keyword") << int(Dev0809) << "Explode" << int(CommandOutcome::Unknown);
    QTest::newRow("input beyond the model") << int(Dev0809) << "9VIDEO1" << rejected;
    QTest::newRow("multiview window on a matrix") << int(Dev0809) << "1VIDEO901" << rejected;
    QTest::newRow("wall audio to output 2") << int(Dev0409S) << "1AUDIO2" << rejected;
    QTest::newRow("freeze flag 2") << int(Dev0809) << "Frozen1/2" << rejected;
    QTest::newRow("volume above 100") << int(Dev0809) << "Volume1/101" << rejected;
    QTest::newRow("resolution without '!'") << int(Dev0809) << "Port1/1920x1080x60Hz" << rejected;
    QTest::newRow("window on a matrix") << int(Dev0809) << "WindowOpen1/1/1/0/0/10/10" << rejected;
    QTest::newRow("splitter on a matrix") << int(Dev0809) << "Splitter1" << rejected;
    QTest::newRow("bind of one output") << int(Dev0809) << "Bind2/2" << rejected;
    QTest::newRow("unbind without group") << int(Dev0809) << "UnBind3" << rejected;
    QTest::newRow("empty plan") << int(Dev0809) << "Recall4" << rejected;
    QTest::newRow("window 5") << int(Dev0409S) << "WindowOpen5/1/1/0/0/10/10" << rejected;
    QTest::newRow("window 0") << int(Dev0409S) << "WindowOpen0/1/1/0/0/10/10" << rejected;
    QTest::newRow("window without input") << int(Dev0409S) << "WindowOpen2/0/1/0/0/9/9" << rejected;
    QTest::newRow("window of input 5") << int(Dev0409S) << "WindowOpen2/5/1/0/0/9/9" << rejected;
    QTest::newRow("move a closed window") << int(Dev0409S) << "WindowMove2/0/0" << rejected;
    QTest::newRow("resize a closed window") << int(Dev0409S) << "WindowResize3/0/0/9/9" << rejected;
    QTest::newRow("layer of a closed window") << int(Dev0409S) << "WindowLayer4/1" << rejected;
    QTest::newRow("VIR 4") << int(Dev0409S) << "VIR4" << rejected;
    QTest::newRow("rotate screen 10") << int(Dev0409S) << "Rotate10/1" << rejected;
    QTest::newRow("splice mode 6") << int(Dev0808S) << "mode6" << rejected;
    QTest::newRow("bad address")
        << int(Dev0809) << "&ip,ip=300.1.1.1,gateway=1.1.1.1,subnet=255.0.0.0,mac=00:11:22:33:44:55"
        << rejected;
}

void TestDeviceModel::refusedCommandsChangeNothing()
{
    QFETCH(int, type);
    QFETCH(QString, body);
    QFETCH(int, kind);
    DeviceModel m(DeviceType(type), QStringLiteral("127.0.0.1"));
    const QByteArray before = everything(m.state());
    const CommandOutcome o = run(m, {body});
    QCOMPARE(int(o.kind), kind);
    QVERIFY(!o.note.isEmpty());
    QVERIFY(o.replies.isEmpty() && o.notices.isEmpty() && !o.httpAck && !o.uploadAck);
    QCOMPARE(everything(m.state()), before);
}

// Window commands in a row, and the wall as another client then reads it from a status query
// (factory: window 1 shows input 1 on the first screen).
void TestDeviceModel::wallWindows_data()
{
    QTest::addColumn<QStringList>("bodies");
    QTest::addColumn<QString>("wall");
    const QString first = "1:1/1/0/0/1920/1080";
    QTest::newRow("open replaces")
        << QStringList{"WindowOpen1/3/1/100/200/960/540"} << "1:3/1/100/200/960/540 VIR:0,9";
    QTest::newRow("open above the top is the top")
        << QStringList{"WindowOpen2/2/9/0/0/10/10"} << first + " 2:2/2/0/0/10/10 VIR:0,9";
    QTest::newRow("open at the bottom lifts the others")
        << QStringList{"WindowOpen3/2/1/5/5/10/10"}
        << "1:1/2/0/0/1920/1080 3:2/1/5/5/10/10 VIR:0,9";
    QTest::newRow("four windows") << QStringList{"WindowOpen4/4/2/0/0/9/9",
                                                 "WindowOpen3/3/3/0/0/9/9",
                                                 "WindowOpen2/2/4/0/0/9/9"}
                                  << first + " 2:2/4/0/0/9/9 3:3/3/0/0/9/9 4:4/2/0/0/9/9 VIR:0,9";
    QTest::newRow("reopen moves it in the stack")
        << QStringList{"WindowOpen2/2/2/0/0/9/9", "WindowOpen1/4/2/1/1/8/8"}
        << "1:4/2/1/1/8/8 2:2/1/0/0/9/9 VIR:0,9";
    QTest::newRow("close renumbers")
        << QStringList{"WindowOpen2/2/2/0/0/9/9", "WindowOpen3/3/3/0/0/9/9", "WindowClose1"}
        << "2:2/1/0/0/9/9 3:3/2/0/0/9/9 VIR:0,9";
    QTest::newRow("close all") << QStringList{"WindowOpen2/2/2/0/0/9/9", "WindowCloseAll"}
                               << "VIR:0,9";
    QTest::newRow("move keeps the size")
        << QStringList{"WindowMove1/3840/1080"} << "1:1/1/3840/1080/1920/1080 VIR:0,9";
    QTest::newRow("resize") << QStringList{"WindowResize1/10/20/30/40"}
                            << "1:1/1/10/20/30/40 VIR:0,9";
    QTest::newRow("layer to the bottom")
        << QStringList{"WindowOpen2/2/2/0/0/9/9", "WindowOpen3/3/3/0/0/9/9", "WindowLayer3/1"}
        << "1:1/2/0/0/1920/1080 2:2/3/0/0/9/9 3:3/1/0/0/9/9 VIR:0,9";
    QTest::newRow("layer up exchanges")
        << QStringList{"WindowOpen2/2/2/0/0/9/9", "WindowOpen3/3/3/0/0/9/9", "WindowLayer1/2"}
        << "1:1/2/0/0/1920/1080 2:2/1/0/0/9/9 3:3/3/0/0/9/9 VIR:0,9";
    QTest::newRow("layer above the top") << QStringList{"WindowOpen2/2/2/0/0/9/9", "WindowLayer1/7"}
                                         << "1:1/2/0/0/1920/1080 2:2/1/0/0/9/9 VIR:0,9";
    QTest::newRow("VIR 2x4") << QStringList{"VIR2"} << first + " VIR:2,8";
}

void TestDeviceModel::wallWindows()
{
    QFETCH(QStringList, bodies);
    QFETCH(QString, wall);
    DeviceModel m(Dev0409S, QStringLiteral("127.0.0.1"));
    const CommandOutcome o = run(m, bodies);
    QCOMPARE(int(o.kind), int(CommandOutcome::Set));
    DeviceModel::Session other;
    const CommandOutcome status = m.apply("status", other);
    QCOMPARE(ReferenceClient::read(status.replies.first()).kinds, QStringList{"wall"});
    QCOMPARE(wallRead(status.replies.first()), wall);
    // The others were told the same at once.
    QCOMPARE(o.notices, status.replies);
}

void TestDeviceModel::videoRouteSwitchesTheWholeGroup()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    run(m, {"Bind2/1/3", "VideoMuteOn3"});
    QVERIFY(m.state().videoMute.value(3));
    const CommandOutcome o = run(m, {"7VIDEO3"});
    // The others are told about the output named; every member switched and was unmuted.
    QCOMPARE(o.notices, QList<QByteArray>{"{\"video3_change\":7}"});
    const QMap<int, int> &video = m.state().video;
    QCOMPARE((QList<int>{video[1], video[2], video[3], video[4]}), (QList<int>{7, 7, 7, 4}));
    QCOMPARE(m.state().videoMute.value(3), false);
    // HDMI audio follows video until it is told not to.
    QCOMPARE(m.state().audio.value(102), 107);
    run(m, {"AloneVideo", "5VIDEO2"});
    QCOMPARE(m.state().audio.value(102), 107);
}

void TestDeviceModel::bindReplacesOverlappingGroups()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    const CommandOutcome o = run(m, {"Bind1/2/3", "Bind5/6", "Bind2/2/5/7"});
    QCOMPARE(o.notices, QList<QByteArray>{"{\"Bind_change\":2/5/7}"});
    QCOMPARE(m.state().groups.keys(), QList<int>{2});
    QCOMPARE(m.state().groups.value(2), (QList<int>{2, 5, 7}));
    QCOMPARE(noticesRead(run(m, {"UnBind7"})), QByteArray(R"({"UnBind7_change":7})"));
    QVERIFY(m.state().groups.isEmpty());
}

void TestDeviceModel::spliceModeOf0808S()
{
    DeviceModel m(Dev0808S, QStringLiteral("127.0.0.1"));
    QCOMPARE(noticesRead(run(m, {"mode3"})), QByteArray(R"({"mode_change":3})"));
    QCOMPARE(m.state().groups.value(1), (QList<int>{1, 2, 5, 6}));
    QCOMPARE(
        ReferenceClient::read(SimReports::routing(m.state())).object.value("splice_mode").toInt(),
        3);
    run(m, {"mode0"});
    QVERIFY(m.state().groups.isEmpty());
}

void TestDeviceModel::captionCommandsFollowTheLastQuery()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    DeviceModel::Session osdClient, captionClient;
    QCOMPARE(int(m.apply("Get_OSD3", osdClient).kind), int(CommandOutcome::Query));
    m.apply("Open", osdClient);
    m.apply("Font_Color1/2/3", osdClient);
    m.apply("Right", captionClient);
    m.apply("POS10/20", captionClient);
    QVERIFY(!m.state().caption.on && m.state().caption.moveRight);
    QCOMPARE(m.state().caption.y, 20);
    QVERIFY(!m.state().osd.value(3).moveRight);

    const QJsonObject osd =
        ReferenceClient::read(m.apply("Get_OSD3", captionClient).replies.first()).object;
    QCOMPARE(osd.value("Switch").toString(), QString("true"));
    QCOMPARE(osd.value("Color").toString(), QString("1,2,3"));
    // The caption client now looks at the OSD of input 3 too.
    m.apply("Speed9", captionClient);
    QCOMPARE(m.state().osd.value(3).speed, 9);
    QCOMPARE(noticesRead(m.apply("Bg_Color9/8/7", captionClient)),
             QByteArray(R"({"Bg_Color_change":"Bg_Color9/8/7"})"));
}

void TestDeviceModel::plans()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    const CommandOutcome recall =
        run(m, {"2VIDEO1", "Bind1/2", "Save3", "5VIDEO1", "UnBind1", "Recall3"});
    QCOMPARE(int(recall.kind), int(CommandOutcome::Set));
    QCOMPARE(m.state().video.value(2), 2);
    QCOMPARE(m.state().groups.value(1), (QList<int>{1, 2}));
    // The others hear the restored routes and groups as reports.
    QCOMPARE(recall.notices.size(), 2);
    QCOMPARE(ReferenceClient::read(recall.notices.at(0)).object.value("video1").toInt(), 2);
    QCOMPARE(ReferenceClient::read(recall.notices.at(1)).kinds, QStringList{"bind"});
    QCOMPARE(int(run(m, {"Clear3", "Recall3"}).kind), int(CommandOutcome::Rejected));

    DeviceModel wall(Dev0409S, QStringLiteral("127.0.0.1"));
    const CommandOutcome back =
        run(wall, {"WindowOpen3/2/1/5/5/10/10", "Rotate1/1", "Save1", "WindowCloseAll", "VIR1",
                   "Rotate1/0", "Rotate2/3", "Recall1"});
    QCOMPARE(wallRead(SimReports::status(wall.state())),
             QString("1:1/2/0/0/1920/1080 3:2/1/5/5/10/10 VIR:0,9"));
    QCOMPARE(wall.state().rotate.value(1), 1);
    QCOMPARE(wall.state().rotate.value(2), 0);
    QCOMPARE(back.notices.size(), 2);
    QCOMPARE(ReferenceClient::read(back.notices.at(0)).kinds, QStringList{"wall"});
    QCOMPARE(ReferenceClient::read(back.notices.at(1)).object.value("Angle1").toInt(), 1);
}

void TestDeviceModel::factoryReset()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    const CommandOutcome o = run(m, {"3VIDEO1", "Save1", "DHCP_On", "Default"});
    QVERIFY(o.httpAck);
    QCOMPARE(m.state().video.value(1), 1);
    QVERIFY(!m.state().dhcp);
    QVERIFY(m.state().plans.isEmpty());
    QCOMPARE(o.notices.size(), 2);
    QCOMPARE(ReferenceClient::read(o.notices.at(0)).dhcp, 0);
    QCOMPARE(ReferenceClient::read(o.notices.at(1)).kinds, QStringList{"routing"});
}

void TestDeviceModel::networkChange()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    const CommandOutcome o =
        run(m, {"&ip,ip=10.0.0.5,gateway=10.0.0.1,subnet=255.255.255.0,mac=00-1A-2B-3C-4D-5E"});
    QCOMPARE(int(o.kind), int(CommandOutcome::Set));
    QVERIFY(o.httpAck);
    QCOMPARE(noticesRead(o), QByteArray(R"({"DHCP":false,"gateway":"10.0.0.1","ip":"10.0.0.5",)"
                                        R"("mac":"00-1A-2B-3C-4D-5E","subnet":"255.255.255.0"})"));
    // Colons in the hardware address are as good as dashes.
    QVERIFY(run(m, {"&ip,ip=10.0.0.6,gateway=10.0.0.1,subnet=255.0.0.0,mac=00:1a:2b:3c:4d:5e"})
                .httpAck);
    const CommandOutcome dhcp = run(m, {"DHCP_On"});
    QVERIFY(!dhcp.httpAck);
    QCOMPARE(ReferenceClient::read(dhcp.notices.first()).dhcp, 1);
    // The address a fresh device reports is the one it listens on, never a fixed LAN address.
    QCOMPARE(DeviceModel(Dev0809, QStringLiteral("0.0.0.0")).state().ip, QString("127.0.0.1"));
}

void TestDeviceModel::uploads()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    // Data may overtake its start command: the two travel on different links.
    m.appendUploadData("abc");
    QCOMPARE(int(run(m, {"Upload_OSD2"}).kind), int(CommandOutcome::Set));
    m.appendUploadData("def");
    const CommandOutcome done = run(m, {"Done"});
    QVERIFY(done.uploadAck && done.httpAck);
    QVERIFY(done.note.contains("6 bytes"));
    QCOMPARE(m.lastUpload("OSD").data, QByteArray("abcdef"));
    QCOMPARE(m.state().osd.value(2).imageBytes, 6);

    // A start command after one that never ended drops the old bytes.
    run(m, {"Update_EDID1"});
    m.appendUploadData("stale");
    run(m, {"Update_EDID4"});
    m.appendUploadData("edid");
    run(m, {"Done"});
    QCOMPARE(m.lastUpload("EDID").data, QByteArray("edid"));
    QCOMPARE(m.state().edid.value(4), QString("upload"));
    QCOMPARE(m.lastUpload("OSD").data, QByteArray("abcdef"));

    run(m, {"EraseOSD"});
    QCOMPARE(m.state().osd.value(2).imageBytes, 0);
    // A Done with nothing started is still acknowledged.
    QVERIFY(run(m, {"Done"}).uploadAck);
}

void TestDeviceModel::inputSignal()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    QVERIFY(m.state().signal.value(1));
    QCOMPARE(m.setInputSignal(1, false), QByteArray("{\"input1_change\":\"false\"}"));
    QVERIFY(m.setInputSignal(1, false).isEmpty());
    QVERIFY(m.setInputSignal(9, true).isEmpty());
    QCOMPARE(
        ReferenceClient::read(SimReports::resolution(m.state())).object.value("in1").toString(),
        QString("noinput"));
}

QTEST_GUILESS_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
