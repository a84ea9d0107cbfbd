#include "devicemodel.h"
#include "referenceclient.h"
#include "simreports.h"

#include <QtTest>

namespace {

CommandOutcome run(DeviceModel &m, const QString &body)
{
    DeviceModel::Session session;
    return m.apply(body, session);
}

// The notice as the other clients read it: its single key and value.
QPair<QString, QVariant> noticeOf(const CommandOutcome &o)
{
    if (o.notices.size() != 1)
        return {};
    const QJsonObject obj = ReferenceClient::read(o.notices.first()).object;
    if (obj.size() != 1)
        return {};
    return {obj.begin().key(), obj.begin().value().toVariant()};
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

// body, model, the notice the others get (key and value as read), and one state value after.
void TestDeviceModel::setCommands_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("noticeKey");
    QTest::addColumn<QVariant>("noticeValue");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("after");

    QTest::newRow("video") << int(Dev0809) << "3VIDEO5"
                           << "video5_change" << QVariant(3) << "video5" << QVariant(3);
    QTest::newRow("analog audio") << int(Dev0808) << "103AUDIO4"
                                  << "audio4_change" << QVariant(103) << "audio4" << QVariant(103);
    QTest::newRow("IR") << int(Dev0809) << "4IR1"
                        << "IR1_change" << QVariant(4) << "ir1" << QVariant(4);
    QTest::newRow("wall audio") << int(Dev0409S) << "3AUDIO1"
                                << "audio1_change" << QVariant(3) << "wallAudio" << QVariant(3);
    QTest::newRow("multiview window")
        << int(Dev0809M) << "6VIDEO903"
        << "video903_change" << QVariant(6) << "multiview3" << QVariant(6);
    QTest::newRow("lock, 0 locks")
        << int(Dev0809) << "Output_Lock3/0"
        << "Output_Lock_change" << QVariant("Output_Lock3/0") << "locked3" << QVariant(true);
    QTest::newRow("resolution") << int(Dev0809) << "Port2/1280x720x60Hz!"
                                << "Port_change" << QVariant("Port2/1280x720x60Hz!")
                                << "resolution2" << QVariant("1280x720x60Hz");
    QTest::newRow("wall resolution is every screen's")
        << int(Dev0409S) << "Port1/3840x2160x30Hz!"
        << "Port_change" << QVariant("Port1/3840x2160x30Hz!") << "resolution9"
        << QVariant("3840x2160x30Hz");
    QTest::newRow("volume") << int(Dev0809) << "Volume2/80"
                            << "Volume_change" << QVariant("Volume2/80") << "volume2"
                            << QVariant(80);
    QTest::newRow("wall volume from 101")
        << int(Dev0409S) << "Volume102/10"
        << "Volume_change" << QVariant("Volume102/10") << "volume2" << QVariant(10);
    QTest::newRow("bezel") << int(Dev0409S) << "Bezel_y1/2/3/4"
                           << "Bezel_y_change" << QVariant("Bezel_y1/2/3/4") << "bezelY"
                           << QVariant("1/2/3/4");
}

void TestDeviceModel::setCommands()
{
    QFETCH(int, type);
    QFETCH(QString, body);
    QFETCH(QString, noticeKey);
    QFETCH(QVariant, noticeValue);
    QFETCH(QString, field);
    QFETCH(QVariant, after);

    DeviceModel m(DeviceType(type), QStringLiteral("127.0.0.1"));
    const CommandOutcome o = run(m, body);
    QCOMPARE(int(o.kind), int(CommandOutcome::Set));
    QVERIFY(o.replies.isEmpty());
    const auto notice = noticeOf(o);
    QCOMPARE(notice.first, noticeKey);
    QCOMPARE(notice.second, noticeValue);
    QCOMPARE(ReferenceClient::read(o.notices.first()).kinds, QStringList{"changed"});

    const SimState &s = m.state();
    auto bezel = [](const QVector<uint> &v) {
        return QStringLiteral("%1/%2/%3/%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]);
    };
    const QMap<QString, QVariant> fields{
        {"video5", s.video.value(5)},
        {"video9", s.video.value(9)},
        {"audio4", s.audio.value(4)},
        {"ir1", s.ir.value(1)},
        {"wallAudio", s.wallAudio},
        {"multiview3", s.multiview.value(3)},
        {"frozen4", s.frozen.value(4)},
        {"locked3", s.locked.value(3)},
        {"resolution2", s.outputResolution.value(2)},
        {"resolution9", s.outputResolution.value(9)},
        {"volume2", s.volume.value(2)},
        {"bindMode", s.bindMode},
        {"bezelY", bezel(s.bezelY)},
    };
    QVERIFY2(fields.contains(field), qPrintable(field));
    QCOMPARE(fields.value(field), after);
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
    const SimState &s = m.state();
    const QByteArray before = SimReports::status(s) + SimReports::outputInfo(s) +
                              SimReports::volume(s) + SimReports::resolution(s) +
                              SimReports::bindInfo(s) + SimReports::netInfo(s);
    const CommandOutcome o = run(m, body);
    QCOMPARE(int(o.kind), kind);
    QVERIFY(!o.note.isEmpty());
    QVERIFY(o.replies.isEmpty() && o.notices.isEmpty());
    QVERIFY(!o.httpAck && !o.uploadAck);
    QCOMPARE(SimReports::status(s) + SimReports::outputInfo(s) + SimReports::volume(s) +
                 SimReports::resolution(s) + SimReports::bindInfo(s) + SimReports::netInfo(s),
             before);
}

void TestDeviceModel::videoRouteSwitchesTheWholeGroup()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    QCOMPARE(int(run(m, "Bind2/1/3").kind), int(CommandOutcome::Set));
    QCOMPARE(int(run(m, "VideoMuteOn3").kind), int(CommandOutcome::Set));
    const CommandOutcome o = run(m, "7VIDEO3");
    // The others are told about the output named; every member switched and was unmuted.
    QCOMPARE(o.notices, QList<QByteArray>{"{\"video3_change\":7}"});
    QCOMPARE(m.state().video.value(1), 7);
    QCOMPARE(m.state().video.value(2), 7);
    QCOMPARE(m.state().video.value(3), 7);
    QCOMPARE(m.state().video.value(4), 4);
    QCOMPARE(m.state().videoMute.value(3), false);
    // HDMI audio follows video until it is told not to.
    QCOMPARE(m.state().audio.value(102), 107);
    run(m, "AloneVideo");
    run(m, "5VIDEO2");
    QCOMPARE(m.state().audio.value(102), 107);
}

void TestDeviceModel::bindReplacesOverlappingGroups()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    run(m, "Bind1/2/3");
    run(m, "Bind5/6");
    const CommandOutcome o = run(m, "Bind2/2/5/7");
    QCOMPARE(o.notices, QList<QByteArray>{"{\"Bind_change\":2/5/7}"});
    QCOMPARE(m.state().groups.keys(), QList<int>{2});
    QCOMPARE(m.state().groups.value(2), (QList<int>{2, 5, 7}));
    const CommandOutcome u = run(m, "UnBind7");
    QCOMPARE(noticeOf(u), (QPair<QString, QVariant>{"UnBind7_change", 7}));
    QVERIFY(m.state().groups.isEmpty());
}

void TestDeviceModel::spliceModeOf0808S()
{
    DeviceModel m(Dev0808S, QStringLiteral("127.0.0.1"));
    QCOMPARE(noticeOf(run(m, "mode3")), (QPair<QString, QVariant>{"mode_change", 3}));
    QCOMPARE(m.state().spliceMode, 3);
    QCOMPARE(m.state().groups.value(1), (QList<int>{1, 2, 5, 6}));
    QCOMPARE(
        ReferenceClient::read(SimReports::routing(m.state())).object.value("splice_mode").toInt(),
        3);
    run(m, "mode0");
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
    QVERIFY(m.state().osd.value(3).on);
    QCOMPARE(m.state().osd.value(3).blue, 3);
    QVERIFY(!m.state().caption.on);
    QVERIFY(m.state().caption.moveRight);
    QCOMPARE(m.state().caption.y, 20);
    QVERIFY(!m.state().osd.value(3).moveRight);

    const QJsonObject osd =
        ReferenceClient::read(m.apply("Get_OSD3", captionClient).replies.first()).object;
    QCOMPARE(osd.value("Switch").toString(), QString("true"));
    QCOMPARE(osd.value("Color").toString(), QString("1,2,3"));
    // The caption client now looks at the OSD of input 3 too.
    m.apply("Speed9", captionClient);
    QCOMPARE(m.state().osd.value(3).speed, 9);
    const CommandOutcome echo = m.apply("Bg_Color9/8/7", captionClient);
    QCOMPARE(noticeOf(echo), (QPair<QString, QVariant>{"Bg_Color_change", "Bg_Color9/8/7"}));
}

void TestDeviceModel::plans()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    run(m, "2VIDEO1");
    run(m, "Bind1/2");
    QCOMPARE(int(run(m, "Save3").kind), int(CommandOutcome::Set));
    run(m, "5VIDEO1");
    run(m, "UnBind1");
    const CommandOutcome recall = run(m, "Recall3");
    QCOMPARE(int(recall.kind), int(CommandOutcome::Set));
    QCOMPARE(m.state().video.value(1), 2);
    QCOMPARE(m.state().video.value(2), 2);
    QCOMPARE(m.state().groups.value(1), (QList<int>{1, 2}));
    // The others hear the restored routes and groups as reports.
    QCOMPARE(recall.notices.size(), 2);
    QCOMPARE(ReferenceClient::read(recall.notices.at(0)).object.value("video1").toInt(), 2);
    QCOMPARE(ReferenceClient::read(recall.notices.at(1)).kinds, QStringList{"bind"});

    run(m, "Clear3");
    QCOMPARE(int(run(m, "Recall3").kind), int(CommandOutcome::Rejected));

    DeviceModel wall(Dev0409S, QStringLiteral("127.0.0.1"));
    run(wall, "Save1");
    run(wall, "WindowCloseAll");
    run(wall, "VIR1");
    const CommandOutcome back = run(wall, "Recall1");
    QCOMPARE(wall.state().windows.value(1).input, 1);
    QCOMPARE(wall.state().vir, 0);
    QCOMPARE(ReferenceClient::read(back.notices.first()).kinds, QStringList{"wall"});
}

void TestDeviceModel::factoryReset()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    run(m, "3VIDEO1");
    run(m, "Save1");
    run(m, "DHCP_On");
    const CommandOutcome o = run(m, "Default");
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
        run(m, "&ip,ip=10.0.0.5,gateway=10.0.0.1,subnet=255.255.255.0,mac=00:1A:2B:3C:4D:5E");
    QCOMPARE(int(o.kind), int(CommandOutcome::Set));
    QVERIFY(o.httpAck);
    const QJsonObject net = ReferenceClient::read(o.notices.first()).object;
    QCOMPARE(net.value("ip").toString(), QString("10.0.0.5"));
    QCOMPARE(net.value("subnet").toString(), QString("255.255.255.0"));
    QCOMPARE(net.value("mac").toString(), QString("00:1A:2B:3C:4D:5E"));

    const CommandOutcome dhcp = run(m, "DHCP_On");
    QVERIFY(!dhcp.httpAck);
    QCOMPARE(ReferenceClient::read(dhcp.notices.first()).dhcp, 1);

    // The address a fresh device reports is the one it listens on, never a fixed LAN address.
    DeviceModel any(Dev0809, QStringLiteral("0.0.0.0"));
    QCOMPARE(any.state().ip, QString("127.0.0.1"));
}

void TestDeviceModel::uploads()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    // Data may overtake its start command: the two travel on different links.
    m.appendUploadData("abc");
    QCOMPARE(int(run(m, "Upload_OSD2").kind), int(CommandOutcome::Set));
    m.appendUploadData("def");
    const CommandOutcome done = run(m, "Done");
    QVERIFY(done.uploadAck && done.httpAck);
    QVERIFY(done.note.contains("6 bytes"));
    QCOMPARE(m.lastUpload("OSD").data, QByteArray("abcdef"));
    QCOMPARE(m.lastUpload("OSD").port, 2);
    QCOMPARE(m.state().osd.value(2).imageBytes, 6);

    // A start command after one that never ended drops the old bytes.
    run(m, "Update_EDID1");
    m.appendUploadData("stale");
    run(m, "Update_EDID4");
    m.appendUploadData("edid");
    run(m, "Done");
    QCOMPARE(m.lastUpload("EDID").data, QByteArray("edid"));
    QCOMPARE(m.state().edid.value(4), QString("upload"));
    QCOMPARE(m.lastUpload("OSD").data, QByteArray("abcdef"));

    run(m, "EraseOSD");
    QCOMPARE(m.state().osd.value(2).imageBytes, 0);
    // A Done with nothing started is still acknowledged.
    QVERIFY(run(m, "Done").uploadAck);
}

void TestDeviceModel::inputSignal()
{
    DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
    QVERIFY(m.state().signal.value(1));
    const QByteArray notice = m.setInputSignal(1, false);
    QCOMPARE(notice, QByteArray("{\"input1_change\":\"false\"}"));
    QVERIFY(m.setInputSignal(1, false).isEmpty());
    QVERIFY(m.setInputSignal(9, true).isEmpty());
    QCOMPARE(
        ReferenceClient::read(SimReports::resolution(m.state())).object.value("in1").toString(),
        QString("noinput"));
}

QTEST_GUILESS_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
