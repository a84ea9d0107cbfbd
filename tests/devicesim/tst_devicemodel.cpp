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

QJsonObject readFirst(const QList<QByteArray> &messages)
{
    return ReferenceClient::read(messages.value(0)).object;
}

// Every query's answer at once, to see that nothing changed.
QByteArray everything(const SimState &s)
{
    using namespace SimReports;
    return version(s) + status(s) + outputInfo(s) + volume(s) + resolution(s) + bindInfo(s) +
           netInfo(s) + rotation(s) + inputInfo(s) + hdcpInfo(s);
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
        QStringList numbers;
        for (const QJsonValue &n : w)
            numbers << QString::number(n.toInt());
        if (w.at(0).toInt())
            parts << QStringLiteral("%1:%2").arg(id).arg(numbers.join('/'));
    }
    const QJsonArray vir = o.value(QStringLiteral("VIR")).toArray();
    return (parts << QStringLiteral("VIR:%1,%2").arg(vir.at(0).toInt()).arg(vir.at(1).toInt()))
        .join(' ');
}

} // namespace

class TestDeviceModel : public QObject
{
    Q_OBJECT
private slots:
    // Model, body, the one notice the others get as they read it, and a text that only the
    // reports after it hold.
    void setCommands_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("after");
        const auto row = [](int type, const char *body, const char *notice, const char *after) {
            QTest::newRow(body) << type << body << notice << after;
        };
        row(Dev0809, "3VIDEO5", R"({"video5_change":3})", R"("video5":3,)");
        row(Dev0808, "103AUDIO4", R"({"audio4_change":103})", R"("audio4":103)");
        row(Dev0809, "4IR1", R"({"IR1_change":4})", R"("IR1":4)");
        row(Dev0409S, "3AUDIO1", R"({"audio1_change":3})", "AUDIO:3");
        row(Dev0809M, "6VIDEO903", R"({"video903_change":6})", R"("video900":"1/2/6/)");
        row(Dev0809, "Frozen3/1", R"({"Frozen_change":"Frozen3/1"})", R"("link3":true/true/)");
        row(Dev0809, "Output_Lock3/1", R"({"Output_Lock_change":"Output_Lock3/1"})",
            R"("link3":true/false/false/)");
        row(Dev0809, "Port2/1280x720x60Hz!", R"({"Port_change":"Port2/1280x720x60Hz!"})",
            R"("out2":1280x720x60Hz)");
        row(Dev0409S, "Port1/3840x2160x30Hz!", R"({"Port_change":"Port1/3840x2160x30Hz!"})",
            R"("out1":3840x2160x30Hz,"out2":3840x2160x30Hz)");
        row(Dev0809, "Volume2/80", R"({"Volume_change":"Volume2/80"})", R"("Volume2":80)");
        row(Dev0409S, "Volume102/10", R"({"Volume_change":"Volume102/10"})", R"("Volume2":10)");
        row(Dev0409S, "Bezel_y1/2/3/4", R"({"Bezel_y_change":"Bezel_y1/2/3/4"})",
            R"("bezel_y":"1/2/3/4")");
        row(Dev0809, "Input_HDCP3/2", R"({"Input_HDCP_change":"Input_HDCP3/2"})", R"(in3":"2")");
    }

    void setCommands()
    {
        QFETCH(int, type);
        QFETCH(QString, body);
        QFETCH(QString, notice);
        QFETCH(QString, after);
        DeviceModel m(DeviceType(type), QStringLiteral("127.0.0.1"));
        QVERIFY(!everything(m.state()).contains(after.toUtf8()));
        const CommandOutcome o = run(m, {body});
        QCOMPARE(o.kind, CommandOutcome::Set);
        QVERIFY(o.replies.isEmpty() && o.note.isEmpty()); // nothing to log beyond the command
        QCOMPARE(QString(noticesRead(o)), notice);
        QCOMPARE(ReferenceClient::read(o.notices.first()).kinds, QStringList{"changed"});
        QVERIFY2(everything(m.state()).contains(after.toUtf8()), everything(m.state()));
    }

    // Bodies on a fresh device; "-" refused, "?" unknown, else taken. "9^" is the highest value
    // taken and "0_" the lowest: each such mark adds a refused body with that number one past it.
    void bounds_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("bodies");
        const auto row = [](const char *name, int type, const char *bodies) {
            QTest::newRow(name) << type << QString(bodies);
        };
        row("routes", Dev0809,
            "0VIDEO1_ 8^VIDEO9^ -1VIDEO901 0AUDIO1_ 8^AUDIO9^ 108^AUDIO109^ 0IR1_ 8^IR9^");
        row("outputs", Dev0809,
            "Frozen9^/1^ Frozen1_/0_ -Frozen1/1/1 -Frozen1/x -Frozen -Frozen1/\t1 Output_Lock9^/1^ "
            "Output_Lock1_/0_ VideoMuteOn9^ VideoMuteOff1_ Out_Pattern9^/11^ Out_Pattern1_/0_ "
            "No_Signal9^/10^/255^/255^/255^ No_Signal1_/0_/0_/0_/0_ Scaler_Mode9^/3^ "
            "Scaler_Mode1_/0_ Port9^/1920x1080x60Hz! -Port1/1920x1080x60Hz Get_Noinput9^ "
            "Get_Scaler1_ Analog_sel109^/1^ Analog_sel101_/0_ Analog_sel9^/0 Analog_sel1_/0");
        row("inputs", Dev0809,
            "In_Pattern8^/11^ In_Pattern1_/0_ Volume8^/100^ Volume1_/0_ -Volume1 -Volume102/1 "
            "MuteOn8^ MuteOff1_ Input_HDCP8^/3^ Input_HDCP1_/0_ EDID_Sel8^/31^ EDID_Sel1_/0_ "
            "Copy_EDID8^/9^ Copy_EDID1_/1_ Update_EDID8^ Update_EDID1_ Upload_OSD8^ Upload_OSD1_ "
            "Upload_Subtitle9^ Upload_Subtitle1_");
        row("caption", Dev0809,
            "Get_OSD8^ Get_OSD1_ Get_Subtitle Speed255^ Speed0_ POS99999^/99999^ POS0_/0_ "
            "Font_Color255^/255^/255^ Font_Color0_/0_/0_ Bg_Color255^/255^/255^ Bg_Color0_/0_/0_ "
            "Open Close Left Right Bg_Open Bg_Close EraseOSD EraseSubtitle ?Opened ?Explode");
        row("groups, plans, network", Dev0809,
            "Bind1_/9^ Bind3/3/4 -Bind2/2 -UnBind3 -UnBind10 mode2^ mode0_ Save99^ Save1_ -Recall1 "
            "-Recall100 Clear99^ Clear1_ -Splitter1 -VIR1 -WindowOpen1/1/1/0/0/9/9 -WindowCloseAll "
            "-WindowClose1 -WindowMove1/0/0 -WindowResize1/0/0/9/9 -WindowLayer1/1 -Rotate1/1 "
            "-Bezel_x1/1/1/1 DHCP_On DHCP_Off FollowVideo AloneVideo "
            "&ip,ip=255^.255^.255^.255^,gateway=255^.0.0.1,subnet=255^.0.0.0,mac=0a:BB:22:33:44:55 "
            "-&ip,ip=1.1.1.1,gateway=1.1.1,subnet=255.0.0.0,mac=00:11:22:33:44:55 "
            "-&ip,ip=1.1.1.1,gateway=1.1.1.1,subnet=255.0.0.0,mac=00:11:22:33:44");
        row("whole words", Dev0809,
            "?versionx ?statusx ?inputinfox ?netInfox ?resolutionx ?outputinfox ?hdcpinfox "
            "?bindinfox ?Get_Volumex ?Get_Rotatex ?Get_Subtitlex ?FollowVideox ?AloneVideox ?Openx "
            "?Closex ?Leftx ?Rightx ?Bg_Openx ?Bg_Closex ?EraseOSDx ?EraseSubtitlex ?Donex "
            "?Defaultx "
            "?DHCP_Onx ?DHCP_Offx -WindowCloseAllx");
        row("splice matrix", Dev0808S, "mode5^ mode0_ -Bind1/9");
        row("multiview", Dev0809M, "1VIDEO909^ -1VIDEO900 -9VIDEO901 Splitter6^ Splitter0_");
        row("wall", Dev0409S,
            "4^AUDIO1 0AUDIO1^ -1IR1 -5VIDEO1 Volume104^/5 MuteOn104^ VIR3^ VIR0_ "
            "WindowOpen4^/4^/0_/0_/0_/0_/0_ WindowOpen1_/1_/1/0/0/9/9 WindowClose4^ WindowClose1_ "
            "WindowCloseAll WindowMove1_/0_/0_ -WindowMove2/0/0 WindowResize1_/0_/0_/0_/0_ "
            "-WindowResize3/0/0/9/9 WindowLayer1_/0_ -WindowLayer4/1 Rotate9^/3^ Rotate1_/0_ "
            "Bezel_x0_/0_/0_/0_ -Bezel_x1/2/3 Bezel_y0_/0/0/0");
    }

    void bounds()
    {
        QFETCH(int, type);
        QFETCH(QString, bodies);
        static const QRegularExpression edge(QStringLiteral("(\\d+)([\\^_])")),
            mark("(?<=\\d)[\\^_]");
        for (const QString &word : bodies.split(' ')) {
            QList<QPair<QChar, QString>> cases; // '+' taken, '-' refused, '?' unknown
            if (word.at(0) == '-' || word.at(0) == '?')
                cases.append({word.at(0), word.mid(1)});
            else
                cases.append({'+', QString(word).remove(mark)});
            for (auto it = edge.globalMatch(word); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                const int past = m.captured(1).toInt() + (m.captured(2) == "^" ? 1 : -1);
                cases.append(
                    {'-', QString(word)
                              .replace(m.capturedStart(), m.capturedLength(), QString::number(past))
                              .remove(mark)});
            }
            for (const auto &c : cases) {
                DeviceModel m(DeviceType(type), QStringLiteral("127.0.0.1"));
                const QByteArray before = everything(m.state());
                const CommandOutcome o = run(m, {c.second});
                const bool taken = o.kind == CommandOutcome::Set || o.kind == CommandOutcome::Query;
                QVERIFY2(taken == (c.first == '+'), qPrintable(c.second + ": " + o.note));
                QCOMPARE(o.kind == CommandOutcome::Unknown, c.first == '?');
                QCOMPARE(o.replies.size(), int(o.kind == CommandOutcome::Query));
                if (taken)
                    continue;
                QVERIFY2(!o.note.isEmpty(), qPrintable(c.second));
                QVERIFY(o.notices.isEmpty() && !o.httpAck && !o.uploadAck);
                QVERIFY2(everything(m.state()) == before, qPrintable(c.second));
            }
        }
    }

    // Window commands in a row, and the windows ("id:input/layer/x/y/width/height") as another
    // client then reads them from a status query (factory: window 1 shows input 1 on screen 1).
    void wallWindows_data()
    {
        QTest::addColumn<QString>("bodies");
        QTest::addColumn<QString>("wall");
        const auto row = [](const char *bodies, const QString &wall) {
            QTest::newRow(bodies) << QString(bodies) << wall;
        };
        const QString first = "1:1/1/0/0/1920/1080 ", under = "1:1/2/0/0/1920/1080 ";
        row("WindowOpen1/3/1/100/200/960/540", "1:3/1/100/200/960/540 ");
        row("WindowOpen2/2/9/0/0/10/10", first + "2:2/2/0/0/10/10 "); // above the top is the top
        row("WindowOpen3/2/1/5/5/10/10", under + "3:2/1/5/5/10/10 ");
        row("WindowOpen4/4/2/0/0/9/9 WindowOpen3/3/3/0/0/9/9 WindowOpen2/2/4/0/0/9/9",
            first + "2:2/4/0/0/9/9 3:3/3/0/0/9/9 4:4/2/0/0/9/9 ");
        row("WindowOpen2/2/2/0/0/9/9 WindowOpen1/4/2/1/1/8/8", "1:4/2/1/1/8/8 2:2/1/0/0/9/9 ");
        row("WindowOpen2/2/2/0/0/9/9 WindowOpen3/3/3/0/0/9/9 WindowClose1",
            "2:2/1/0/0/9/9 3:3/2/0/0/9/9 ");
        row("WindowOpen2/2/2/0/0/9/9 WindowCloseAll", "");
        row("WindowMove1/3840/1080", "1:1/1/3840/1080/1920/1080 ");
        row("WindowResize1/10/20/30/40", "1:1/1/10/20/30/40 ");
        row("WindowOpen2/2/2/0/0/9/9 WindowOpen3/3/3/0/0/9/9 WindowLayer3/1",
            under + "2:2/3/0/0/9/9 3:3/1/0/0/9/9 ");
        row("WindowOpen2/2/2/0/0/9/9 WindowOpen3/3/3/0/0/9/9 WindowLayer1/2",
            under + "2:2/1/0/0/9/9 3:3/3/0/0/9/9 ");
        row("WindowOpen2/2/2/0/0/9/9 WindowLayer1/7", under + "2:2/1/0/0/9/9 ");
        row("VIR2", first + "VIR:2,8");
    }

    void wallWindows()
    {
        QFETCH(QString, bodies);
        QFETCH(QString, wall);
        DeviceModel m(Dev0409S, QStringLiteral("127.0.0.1"));
        const CommandOutcome o = run(m, bodies.split(' '));
        QCOMPARE(o.kind, CommandOutcome::Set);
        const CommandOutcome status = run(m, {"status"});
        QCOMPARE(ReferenceClient::read(status.replies.first()).kinds, QStringList{"wall"});
        QCOMPARE(wallRead(status.replies.first()), wall.contains("VIR") ? wall : wall + "VIR:0,9");
        QCOMPARE(o.notices, status.replies); // the others were told the same at once
    }
    void groupsAndRoutes()
    {
        DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
        run(m, {"Bind5/6", "Bind2/1/3", "VideoMuteOn3"});
        QVERIFY(m.state().videoMute.value(3));
        // The others are told about the output named; every member switched and was unmuted.
        QCOMPARE(run(m, {"7VIDEO3"}).notices, QList<QByteArray>{"{\"video3_change\":7}"});
        const QMap<int, int> &video = m.state().video;
        QCOMPARE((QList<int>{video[1], video[2], video[3], video[4]}), (QList<int>{7, 7, 7, 4}));
        QVERIFY(!m.state().videoMute.value(3));
        // HDMI audio follows video until it is told not to; input 0 takes the audio off.
        QCOMPARE(m.state().audio.value(102), 107);
        run(m, {"0VIDEO5"});
        QCOMPARE(m.state().audio.value(106), 0);
        run(m, {"AloneVideo", "5VIDEO2"});
        QCOMPARE(m.state().audio.value(102), 107);

        // A group that shares an output with the new one goes.
        const CommandOutcome o = run(m, {"Bind2/2/5/7"});
        QCOMPARE(o.notices, QList<QByteArray>{"{\"Bind_change\":2/5/7}"});
        QCOMPARE(m.state().groups.keys(), QList<int>{2});
        QCOMPARE(m.state().groups.value(2), (QList<int>{2, 5, 7}));
        QCOMPARE(noticesRead(run(m, {"UnBind7"})), QByteArray(R"({"UnBind7_change":7})"));
        QVERIFY(m.state().groups.isEmpty());

        DeviceModel splice(Dev0808S, QStringLiteral("127.0.0.1"));
        QCOMPARE(noticesRead(run(splice, {"mode3"})), QByteArray(R"({"mode_change":3})"));
        QCOMPARE(splice.state().groups.value(1), (QList<int>{1, 2, 5, 6}));
        QCOMPARE(readFirst({SimReports::routing(splice.state())}).value("splice_mode").toInt(), 3);
        run(splice, {"mode0"});
        QVERIFY(splice.state().groups.isEmpty());

        // A changed input signal is told once; the factory's last input has none.
        QVERIFY(m.state().signal.value(1) && !m.state().signal.value(8));
        QCOMPARE(m.setInputSignal(1, false), QByteArray("{\"input1_change\":\"false\"}"));
        QVERIFY(m.setInputSignal(1, false).isEmpty());
        QVERIFY(m.setInputSignal(9, true).isEmpty());
        QCOMPARE(readFirst({SimReports::resolution(m.state())}).value("in1").toString(),
                 QString("noinput"));
    }

    // Caption commands carry no port: they act on what this client last asked about.
    void captionCommandsFollowTheLastQuery()
    {
        DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
        DeviceModel::Session osdClient, captionClient;
        for (const char *body : {"Get_OSD3", "Open", "Font_Color1/2/3", "Bg_Open"})
            m.apply(body, osdClient);
        for (const char *body : {"Right", "POS10/20", "Get_Subtitle", "Left"})
            m.apply(body, captionClient);
        QVERIFY(!m.state().caption.on && !m.state().caption.moveRight);
        QCOMPARE(m.state().caption.y, 20);
        const QJsonObject osd = readFirst(m.apply("Get_OSD3", captionClient).replies);
        QCOMPARE(osd.value("Switch").toString() + osd.value("Bg_switch").toString(), "truetrue");
        QCOMPARE(osd.value("Color").toString(), QString("1,2,3"));
        m.apply("Speed9", captionClient); // now at the OSD of input 3 too
        QCOMPARE(m.state().osd.value(3).speed, 9);
        QCOMPARE(m.state().caption.speed, SimState::Caption().speed);
    }

    void plansAndReset()
    {
        DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
        const CommandOutcome recall =
            run(m, {"2VIDEO1", "Bind1/2", "Save3", "5VIDEO1", "UnBind1", "Recall3"});
        QCOMPARE(recall.kind, CommandOutcome::Set);
        QCOMPARE(m.state().groups.value(1), (QList<int>{1, 2}));
        // The others hear the restored routes and groups as reports.
        QCOMPARE(recall.notices.size(), 2);
        QCOMPARE(readFirst(recall.notices).value("video1").toInt(), 2);
        QCOMPARE(ReferenceClient::read(recall.notices.at(1)).kinds, QStringList{"bind"});
        QCOMPARE(run(m, {"Clear3", "Recall3"}).kind, CommandOutcome::Rejected);

        DeviceModel wall(Dev0409S, QStringLiteral("127.0.0.1"));
        const CommandOutcome back =
            run(wall, {"WindowOpen3/2/1/5/5/10/10", "Rotate1/1", "3AUDIO1", "Save1",
                       "WindowCloseAll", "VIR1", "0AUDIO1", "Rotate1/0", "Rotate2/3", "Recall1"});
        QCOMPARE(wallRead(SimReports::status(wall.state())),
                 QString("1:1/2/0/0/1920/1080 3:2/1/5/5/10/10 VIR:0,9"));
        QCOMPARE(wall.state().rotate.value(1), 1);
        QCOMPARE(wall.state().rotate.value(2), 0);
        QCOMPARE(wall.state().wallAudio, 3);
        QCOMPARE(back.notices.size(), 2);
        QCOMPARE(ReferenceClient::read(back.notices.at(0)).kinds, QStringList{"wall"});
        QCOMPARE(ReferenceClient::read(back.notices.at(1)).object.value("Angle1").toInt(), 1);
        // The splice matrix's groups come with its routes.
        DeviceModel splice(Dev0808S, QStringLiteral("127.0.0.1"));
        QCOMPARE(run(splice, {"mode3", "Save2", "mode0", "Recall2"}).notices.size(), 1);
        QCOMPARE(splice.state().spliceMode, 3);

        const CommandOutcome reset = run(m, {"3VIDEO1", "DHCP_On", "Default"});
        QVERIFY(reset.httpAck);
        QCOMPARE(m.state().video.value(1), 1);
        QVERIFY(!m.state().dhcp && m.state().plans.isEmpty() && m.state().groups.isEmpty());
        QCOMPARE(reset.notices.size(), 2);
        QCOMPARE(ReferenceClient::read(reset.notices.at(0)).dhcp, 0);
        QCOMPARE(ReferenceClient::read(reset.notices.at(1)).kinds, QStringList{"routing"});
    }

    void networkChange()
    {
        DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
        const CommandOutcome o =
            run(m, {"&ip,ip=10.0.0.5,gateway=10.0.0.1,subnet=255.255.255.0,mac=00-1A-2B-3C-4D-5E"});
        QVERIFY(o.httpAck);
        QCOMPARE(noticesRead(o),
                 QByteArray(R"({"DHCP":false,"gateway":"10.0.0.1","ip":"10.0.0.5",)"
                            R"("mac":"00-1A-2B-3C-4D-5E","subnet":"255.255.255.0"})"));
        const CommandOutcome dhcp = run(m, {"DHCP_On"});
        QVERIFY(!dhcp.httpAck);
        QCOMPARE(ReferenceClient::read(dhcp.notices.first()).dhcp, 1);
        QCOMPARE(ReferenceClient::read(run(m, {"DHCP_Off"}).notices.first()).dhcp, 0);
        // A fresh device reports the address it listens on, never a fixed LAN address.
        QCOMPARE(DeviceModel(Dev0809, QStringLiteral("0.0.0.0")).state().ip, QString("127.0.0.1"));
        QCOMPARE(DeviceModel(Dev0809, QStringLiteral("127.0.0.2")).state().ip,
                 QString("127.0.0.2"));
    }

    void uploads()
    {
        DeviceModel m(Dev0809, QStringLiteral("127.0.0.1"));
        // Data may overtake its start command: the two travel on different links.
        m.appendUploadData("abc");
        run(m, {"Upload_OSD2"});
        m.appendUploadData("def");
        const CommandOutcome done = run(m, {"Done"});
        QVERIFY(done.uploadAck && done.httpAck && done.note.contains("6 bytes"));
        QCOMPARE(m.lastUpload("OSD").data, QByteArray("abcdef"));
        QCOMPARE(m.state().osd.value(2).imageBytes, 6);
        // A start command after one that never ended drops the old bytes.
        run(m, {"Update_EDID1"});
        m.appendUploadData("stale");
        run(m, {"Update_EDID4"});
        m.appendUploadData("edid");
        run(m, {"Done", "Upload_Subtitle1", "Done", "EraseOSD"});
        QCOMPARE(m.lastUpload("EDID").data, QByteArray("edid"));
        QCOMPARE(m.state().edid.value(4), QString("upload"));
        QCOMPARE(m.lastUpload("Subtitle").port, 1);
        QCOMPARE(m.state().osd.value(2).imageBytes, 0);
        QVERIFY(run(m, {"Done"}).uploadAck); // even with nothing started
    }
};

QTEST_GUILESS_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
