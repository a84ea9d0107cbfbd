#include "commandscanner.h"
#include "devicemodel.h"
#include "referenceclient.h"
#include "simoptions.h"
#include "simreports.h"
#include "simserver.h"

#include <QtTest>

#include <memory>

using namespace SimReports;

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

QByteArray compact(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// Every query's answer at once, to see that nothing changed.
QByteArray everything(const SimState &s)
{
    return version(s) + status(s) + outputInfo(s) + volume(s) + resolution(s) + bindInfo(s) +
           netInfo(s) + rotation(s) + inputInfo(s) + hdcpInfo(s);
}

constexpr int Timeout = 10000;

// A raw client: collects everything the simulator writes.
class Peer : public QObject
{
public:
    explicit Peer(quint16 port)
    {
        connect(&socket, &QTcpSocket::readyRead, this, [this] { received += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    bool connected() { return socket.waitForConnected(Timeout); }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    QList<QByteArray> messages() const { return ReferenceClient::cut(received); }
    QJsonObject read(int i) const { return ReferenceClient::read(messages().value(i)).object; }
    // Each message as the client reads it; raw-pass texts read as "forwarded".
    QStringList kinds() const
    {
        QStringList out;
        for (const QByteArray &m : messages())
            out << (ReferenceClient::forwarded(m) ? QStringLiteral("forwarded")
                                                  : ReferenceClient::read(m).kinds.join('+'));
        return out;
    }
    QTcpSocket socket;
    QByteArray received;
};

std::unique_ptr<SimServer> started(DeviceType type = Dev0809)
{
    SimOptions o;
    o.type = type;
    o.controlPort = o.uploadPort = 0;
    auto server = std::make_unique<SimServer>(o);
    QString error;
    if (!server->start(&error))
        qWarning("%s", qPrintable(error));
    return server;
}

// Every query, all in one write, and the kinds of the answers in order.
QByteArray allQueries(QStringList *kinds, bool wall)
{
    static const QList<QPair<QByteArray, QString>> queries{
        {"version", "version"},        {"status", "routing"},        {"inputinfo", "inputs"},
        {"netInfo", "network"},        {"resolution", "resolution"}, {"outputinfo", "outputs"},
        {"hdcpinfo", "hdcp"},          {"bindinfo", "bind"},         {"Get_Volume", "volume"},
        {"Get_Rotate", "rotation"},    {"Get_OSD1", "caption"},      {"Get_Subtitle", "caption"},
        {"Get_Noinput2", "forwarded"}, {"Get_Scaler2", "forwarded"},
    };
    QByteArray all;
    for (const auto &q : queries) {
        all += "{param=" + q.first + "}";
        *kinds << (wall && q.first == "status" ? QStringLiteral("wall") : q.second);
    }
    return all;
}

} // namespace

class TestDeviceSim : public QObject
{
    Q_OBJECT
private slots:
    // Fields as read back ("key=value"); empty: refused with a reason.
    void options_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *args, const char *expected) {
            QTest::newRow(*args ? args : "defaults") << QString(args) << QString(expected);
        };
        row("", "type=1 control=5050 upload=6666 listen=127.0.0.1 faults= drop=0 latency=0 live=-1 "
                "help=0 seed=-1");
        row("--type 0409-S --port 0 --upload-port 65535 -h",
            "type=2 control=0 upload=65535 help=1");
        row("--type 0808_S --latency 3600000", "type=3 latency=3600000");
        row("--type 5 --fault drop:0.05 --listen localhost", "type=5 drop=50 listen=127.0.0.1");
        row("--fault garbage,split --fault drop:86400", "faults=gs drop=86400000");
        row("--live --live-interval 10 --seed 9", "live=10 seed=9");
        for (const char *refused :
             {"--colour", "stray", "--port 65536", "--upload-port -1", "--latency -1",
              "--latency 3600001", "--fault explode", "--fault drop:0.04", "--fault drop:86401",
              "--fault drop:x", "--listen device.local", "--type 0809X", "--type 6", "--type",
              "--live-interval 9", "--seed x"})
            row(refused, "");
    }

    void options()
    {
        QFETCH(QString, args);
        QFETCH(QString, expected);
        SimOptions o;
        QString error;
        const bool ok = SimOptions::parse(
            QStringList{"corvane-devicesim"} + args.split(' ', Qt::SkipEmptyParts), &o, &error);
        QCOMPARE(ok, !expected.isEmpty());
        QCOMPARE(error.isEmpty(), ok);
        const QStringList got =
            QString("type=%1 control=%2 upload=%3 listen=%4 faults=%5%6 drop=%7 latency=%8 live=%9")
                .arg(o.type)
                .arg(o.controlPort)
                .arg(o.uploadPort)
                .arg(o.listen.toString(), o.garbage ? "g" : "", o.split ? "s" : "")
                .arg(o.dropEveryMs)
                .arg(o.latencyMs)
                .arg(o.live ? o.liveIntervalMs : -1)
                .split(' ')
            << QString("help=%1").arg(o.help)
            << QString("seed=%1").arg(o.seeded ? int(o.seed) : -1);
        for (const QString &field : expected.split(' ', Qt::SkipEmptyParts))
            QVERIFY2(got.contains(field), qPrintable(got.join(' ')));
    }

    // Chunks are separated by '|'; commands are expected in order.
    void scanner_data()
    {
        QTest::addColumn<QByteArray>("chunks");
        QTest::addColumn<QList<QByteArray>>("commands");
        using L = QList<QByteArray>;
        QTest::newRow("split at every byte") << QByteArray("{|p|a|r|=|D|o|n|e|}") << L{"par=Done"};
        QTest::newRow("typed session") << QByteArray("{param=version}\r\n|{param=status}\n")
                                       << L{"param=version", "param=status"};
        QTest::newRow("noise around")
            << QByteArray("xx}}{a}{b}yy{par|am=c}") << L{"a", "b", "param=c"};
        QTest::newRow("second brace restarts") << QByteArray("{param=x{param=y}") << L{"param=y"};
        QTest::newRow("never closed") << QByteArray("{param=version|hello") << L{};
    }

    void scanner()
    {
        QFETCH(QByteArray, chunks);
        CommandScanner scanner;
        QList<QByteArray> got;
        for (const QByteArray &chunk : chunks.split('|'))
            got += scanner.feed(chunk);
        QTEST(got, "commands");
    }

    // Only an open command counts against the cap, and megabytes of noise take one pass.
    void scannerCap()
    {
        CommandScanner small(100);
        for (int i = 0; i < 50; ++i)
            QVERIFY(small.feed(QByteArray(90, 'n') + "}").isEmpty());
        QVERIFY(small.feed("{param=st" + QByteArray(91, 'x')).isEmpty()); // the cap itself
        QCOMPARE(small.pendingBytes(), 100);
        QCOMPARE(small.feed("}"), QList<QByteArray>{"param=st" + QByteArray(91, 'x')});
        QVERIFY(small.feed("{param=" + QByteArray(60, 'x')).isEmpty());
        QVERIFY(small.feed(QByteArray(40, 'y')).isEmpty());
        QCOMPARE(small.droppedBytes(), qint64(107));
        QCOMPARE(small.pendingBytes(), 0);
        QCOMPARE(small.feed("zzz}{param=version}"), QList<QByteArray>{"param=version"});
        // A scanner that looked at held bytes again would take seconds here.
        CommandScanner scanner;
        int found = 0;
        for (int i = 0; i < 4000; ++i)
            found += scanner.feed(QByteArray("}{x").repeated(300)).size();
        QCOMPARE(found, 4000 * 299 + 3999);
        QCOMPARE(scanner.feed("}{"), QList<QByteArray>{"x"});
        for (int i = 0; i < CommandScanner::DefaultCap - 2; ++i)
            scanner.feed("a");
        QCOMPARE(scanner.feed("}").value(0).size(), CommandScanner::DefaultCap - 2);
        QCOMPARE(scanner.droppedBytes(), qint64(0));
    }

    // Kinds and fields as the client reads them, from a state away from the factory one.
    void reports_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QString>("fields");
        SimState m = SimState::factory(Dev0809M, QStringLiteral("127.0.0.1"));
        m.groups[1] = {1, 2, 3};
        m.groups[5] = {5, 6};
        m.volume[2] = 75;
        SimState w = SimState::factory(Dev0409S, QStringLiteral("127.0.0.1"));
        w.bezelX = {1, 2, 3, 40};
        w.windows[3] = SimState::Window{2, 3, 1920, 0, 3840, 2160};
        w.rotate[3] = 1;
        const auto row = [](const char *name, const QByteArray &report, const char *fields) {
            QTest::newRow(name) << report << QString(name).section(' ', 0, 0) << QString(fields);
        };
        row("version", version(w), R"("bezel_x":"1/2/3/40" "device":"0409-S")");
        row("routing", routing(m), R"("video900":"1/2/3/4/5/6/7/8/1" "IR9":1)");
        row("wall", wallStatus(w), R"("window3":[2,3,1920,0,3840,2160] "VIR":[0,9])");
        row("outputs", outputInfo(m),
            R"("link9":"false/false/true/false" "link1":"true/false/true/false")");
        row("bind", bindInfo(m), R"("bind1":"1/2/3" "bind2":"5/6")");
        row("volume", volume(m), R"("Volume2":75 "Volume8":50 "Mute3":0)");
        // The caption is repaired by fixed offsets, so every value width must come out right.
        row("caption on",
            caption(SimState::Caption{true, 255, 7, 255, 70, 1919, 0, false, 255, 0, 0, true, 0}),
            R"("Switch":"true" "Speed":255 "Color":"7,255,70" "Position_x":1919 )"
            R"("Bg_switch":"false" "Bg_Color":"255,0,0" "Move_dir":"right")");
        row("caption off",
            caption(SimState::Caption{false, 0, 0, 0, 0, 0, 20, true, 1, 2, 3, false, 0}),
            R"("Switch":"false" "Speed":0 "Position_y":20 "Bg_switch":"true" "Bg_Color":"1,2,3" )"
            R"("Move_dir":"left")");
    }

    void reports()
    {
        QFETCH(QByteArray, report);
        QFETCH(QString, fields);
        QVERIFY2(!report.contains(' ') && !report.contains('\n'), report);
        QVERIFY(report.count('{') == 1 && report.startsWith('{') && report.endsWith('}'));
        const ReferenceClient::Reading r = ReferenceClient::read(report);
        QVERIFY2(r.parsed, report);
        QTEST(r.kinds.join('+'), "kinds");
        const QString read = compact(r.object);
        for (const QString &field : fields.split(' '))
            QVERIFY2(read.contains(field + ',') || read.contains(field + '}'), qPrintable(read));
    }

    // "-" refused, "?" unknown, else taken; "9^"/"0_": highest/lowest taken, one past refused.
    void bounds_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("bodies");
        QTest::newRow("routes") << int(Dev0809)
                                << "0VIDEO1_ 8^VIDEO9^ -1VIDEO901 0AUDIO1_ 108^AUDIO109^ 8^IR9^";
        QTest::newRow("outputs")
            << int(Dev0809)
            << "Frozen9^/1^ Frozen1_/0_ -Frozen1/1/1 -Frozen1/x -Frozen1/\t1 VideoMuteOn9^ "
               "VideoMuteOff1_ Out_Pattern9^/11^ Out_Pattern1_/0_ No_Signal9^/10^/255^/255^/255^ "
               "Scaler_Mode9^/3^ Port9^/1920x1080x60Hz! -Port1/1920x1080x60Hz Get_Noinput9^ "
               "Get_Scaler1_ Analog_sel109^/1^ Analog_sel9^/0";
        QTest::newRow("inputs")
            << int(Dev0809)
            << "In_Pattern8^/11^ In_Pattern1_/0_ Volume8^/100^ Volume1_/0_ -Volume102/1 MuteOn8^ "
               "Input_HDCP8^/3^ EDID_Sel8^/31^ Copy_EDID8^/9^ Copy_EDID1_/1_ Update_EDID8^ "
               "Upload_OSD1_ Upload_Subtitle9^";
        QTest::newRow("caption, groups, plans")
            << int(Dev0809)
            << "Get_OSD8^ Speed255^ POS99999^/99999^ POS0_/0_ Font_Color255^/255^/255^ "
               "Bg_Color0_/0_/0_ ?Opened Bind1_/9^ -Bind2/2 -UnBind3 mode2^ "
               "Save99^ Save1_ -Recall1 Clear99^ -Splitter1 -VIR1 -WindowCloseAll -Rotate1/1";
        QTest::newRow("whole words")
            << int(Dev0809)
            << "?versionx ?statusx ?inputinfox ?netInfox ?resolutionx ?outputinfox ?hdcpinfox "
               "?bindinfox ?Get_Volumex ?Get_Rotatex ?Get_Subtitlex ?FollowVideox ?AloneVideox "
               "?Openx ?Closex ?Leftx ?Rightx ?Bg_Openx ?Bg_Closex ?EraseOSDx ?EraseSubtitlex "
               "?Donex ?Defaultx ?DHCP_Onx ?DHCP_Offx -WindowCloseAllx";
        QTest::newRow("models") << int(Dev0808S) << "mode5^ mode0_ -Bind1/9";
        QTest::newRow("multiview")
            << int(Dev0809M) << "1VIDEO909^ -9VIDEO901 Splitter6^ Splitter0_";
        QTest::newRow("wall") << int(Dev0409S)
                              << "4^AUDIO1 0AUDIO1^ -1IR1 Volume104^/5 VIR3^ VIR0_ "
                                 "WindowOpen4^/4^/0_/0_/0_/0_/0_ WindowOpen1_/1_/1/0/0/9/9 "
                                 "WindowClose4^ -WindowMove2/0/0 WindowResize1_/0_/0_/0_/0_ "
                                 "WindowLayer1_/0_ -WindowLayer4/1 Rotate9^/3^ -Bezel_x1/2/3";
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

    void everyQueryAnsweredInOneGo_data()
    {
        QTest::addColumn<int>("type");
        for (int t = Dev0808; t <= Dev0404; ++t)
            QTest::newRow(qPrintable(SimState::modelText(DeviceType(t)))) << t;
    }

    void everyQueryAnsweredInOneGo()
    {
        QFETCH(int, type);
        const auto server = started(DeviceType(type));
        Peer peer(server->controlPort());
        QVERIFY(peer.connected());
        QStringList expected;
        const QByteArray all = allQueries(&expected, type == Dev0409S);
        // All at once, but cut inside a command, as a busy client's writes arrive.
        QTRY_COMPARE_WITH_TIMEOUT(server->controlClientCount(), 1, Timeout);
        peer.send(all.left(20));
        QVERIFY(!QTest::qWaitFor([&peer] { return peer.messages().size() > 1; }, 50));
        peer.send(all.mid(20));
        QTRY_COMPARE_WITH_TIMEOUT(peer.messages().size(), expected.size(), Timeout);
        QCOMPARE(peer.kinds(), expected);
        QCOMPARE(peer.received, peer.messages().join()); // nothing between reports without a fault
        // The model's own shape: all its outputs, and the fields only some models report.
        QCOMPARE(peer.read(5).size(), server->model().state().outputs);
        QCOMPARE(peer.read(0).contains("Splitter"), type == Dev0809M);
        QCOMPARE(peer.read(0).contains("bezel_y"), type == Dev0409S);
    }

    // The others hear of each change; junk past the cap and a client leaving mid-command harm none.
    void clients()
    {
        const auto server = started();
        Peer sender(server->controlPort()), other(server->controlPort());
        QVERIFY(sender.connected() && other.connected());
        QTRY_COMPARE_WITH_TIMEOUT(server->controlClientCount(), 2, Timeout);
        sender.send("{param=" + QByteArray(100 * 1024, '7') + QByteArray(70000, '\0') +
                    QByteArray(70000, '\xff'));
        sender.send("}{param=3VIDEO5}{param=Frozen5/1}{param=No_Signal5/0/255/0/0}{param=x}"
                    "{status}{param=version}");
        QTRY_COMPARE_WITH_TIMEOUT(other.messages().size(), 3, Timeout);
        QCOMPARE(other.read(0).value("video5_change").toInt(), 3);
        QCOMPARE(other.read(1).value("Frozen_change").toString(), QString("Frozen5/1"));
        QVERIFY(ReferenceClient::forwarded(other.messages().at(2)));
        QTRY_COMPARE_WITH_TIMEOUT(sender.kinds(), QStringList{"version"}, Timeout);
        sender.send("{param=4VIDEO");
        sender.socket.abort();
        QTRY_COMPARE_WITH_TIMEOUT(server->controlClientCount(), 1, Timeout);
        other.received.clear();
        other.send("{param=status}");
        QTRY_COMPARE_WITH_TIMEOUT(other.messages().size(), 1, Timeout);
        QCOMPARE(other.read(0).value("video5").toInt(), 3);
        QCOMPARE(other.read(0).value("video4").toInt(), 4);
    }
};

QTEST_GUILESS_MAIN(TestDeviceSim)
#include "tst_devicesim.moc"
