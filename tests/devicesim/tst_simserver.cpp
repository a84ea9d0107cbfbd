#include "linkwriter.h"
#include "referenceclient.h"
#include "simreports.h"
#include "simserver.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

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
            out << (ReferenceClient::rawPass(m) & ReferenceClient::Forward
                        ? QStringLiteral("forwarded")
                        : ReferenceClient::read(m).kinds.join('+'));
        return out;
    }
    QTcpSocket socket;
    QByteArray received;
};

// A started server on ports the system picks.
std::unique_ptr<SimServer> started(DeviceType type = Dev0809, int latency = 0, bool garbage = false,
                                   int dropEveryMs = 0, int liveMs = 0)
{
    SimOptions o;
    o.type = type;
    o.controlPort = o.uploadPort = 0;
    o.seeded = true;
    o.seed = 7;
    o.latencyMs = latency;
    o.garbage = garbage;
    o.dropEveryMs = dropEveryMs;
    o.live = liveMs > 0;
    o.liveIntervalMs = liveMs;
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

class TestSimServer : public QObject
{
    Q_OBJECT
private slots:
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

    // Several clients: all but the sender hear of each change, and the change holds for everyone.
    void setCommandsNotifyTheOthersOnly()
    {
        const auto server = started();
        std::vector<std::unique_ptr<Peer>> peers;
        for (int i = 0; i < 4; ++i) {
            peers.push_back(std::make_unique<Peer>(server->controlPort()));
            QVERIFY(peers.back()->connected());
        }
        QTRY_COMPARE_WITH_TIMEOUT(server->controlClientCount(), 4, Timeout);
        Peer &sender = *peers.front(), &last = *peers.back();
        sender.send("{param=3VIDEO5}{param=Frozen5/1}{param=No_Signal5/0/255/0/0}{param=x}"
                    "{status}{param=version}");
        for (size_t i = 1; i < peers.size(); ++i)
            QTRY_COMPARE_WITH_TIMEOUT(peers[i]->messages().size(), 3, Timeout);
        QCOMPARE(last.read(0).value("video5_change").toInt(), 3);
        QCOMPARE(last.read(1).value("Frozen_change").toString(), QString("Frozen5/1"));
        QCOMPARE(ReferenceClient::rawPass(last.messages().at(2)), int(ReferenceClient::Forward));
        // The sender hears only the answer to its query, which came after the set commands.
        QTRY_COMPARE_WITH_TIMEOUT(sender.kinds(), QStringList{"version"}, Timeout);
        last.received.clear();
        last.send("{param=status}{param=outputinfo}");
        QTRY_COMPARE_WITH_TIMEOUT(last.messages().size(), 2, Timeout);
        QCOMPARE(last.read(0).value("video5").toInt(), 3);
        QCOMPARE(last.read(1).value("link5").toString(), QString("true/true/true/false"));
    }

    // Packets are answered one by one however TCP cuts them; the end command brings "<ACK_1>" on
    // the upload link and the HTTP acknowledgement on the control link, to the sender only.
    void upload()
    {
        const auto server = started();
        Peer control(server->controlPort()), other(server->controlPort());
        Peer upload(server->uploadPort());
        QVERIFY(control.connected() && other.connected() && upload.connected());
        QTRY_COMPARE_WITH_TIMEOUT(server->uploadClientCount(), 1, Timeout);
        QByteArray data(1201, Qt::Uninitialized);
        for (int i = 0; i < data.size(); ++i)
            data[i] = char(i * 7 + 1);
        control.send("{param=Update_EDID4}");
        upload.send(data.left(100)); // the first packet in two pieces is still one packet
        QCoreApplication::processEvents();
        int answers = 0;
        for (int from : {100, 500, 1000}) {
            upload.send(data.mid(from, 500 - from % 500));
            ++answers;
            QTRY_COMPARE_WITH_TIMEOUT(upload.received.count("<ACK_0>\r\n"), answers, Timeout);
        }
        control.send("{param=Done}");
        QTRY_VERIFY_WITH_TIMEOUT(upload.received.endsWith("<ACK_1>\r\n"), Timeout);
        QCOMPARE(upload.received, QByteArray("<ACK_0>\r\n").repeated(3) + "<ACK_1>\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(ReferenceClient::rawPass(control.received),
                                  int(ReferenceClient::Http), Timeout);
        QCOMPARE(server->model().lastUpload("EDID").data, data);
        QCOMPARE(server->model().lastUpload("EDID").port, 4);
        // Nobody else is told; a fresh link drops a file that never ended.
        control.send("{param=Upload_OSD2}");
        upload.send("stale");
        QTRY_COMPARE_WITH_TIMEOUT(upload.received.count("<ACK_0>"), 4, Timeout);
        Peer again(server->uploadPort());
        QVERIFY(again.connected());
        QTRY_COMPARE_WITH_TIMEOUT(server->uploadClientCount(), 2, Timeout);
        control.send("{param=Done}");
        QTRY_VERIFY_WITH_TIMEOUT(again.received.endsWith("<ACK_1>\r\n"), Timeout);
        QCOMPARE(server->model().lastUpload("OSD").data, QByteArray());
        QVERIFY(other.received.isEmpty());
    }

    // Stray bytes, a reply delay, dropped links and unasked signal changes: reports still whole, in
    // order, late, and a client that comes back is served.
    void faults()
    {
        const auto server = started(Dev0809, 300, true);
        Peer peer(server->controlPort());
        QVERIFY(peer.connected());
        QStringList expected;
        QElapsedTimer clock;
        clock.start();
        peer.send(allQueries(&expected, false));
        QTRY_COMPARE_WITH_TIMEOUT(peer.messages().size(), expected.size(), Timeout);
        QVERIFY(clock.elapsed() >= 300);
        QCOMPARE(peer.kinds(), expected);
        QByteArray outside = peer.received; // around the reports only bytes the client skips
        for (const QByteArray &m : peer.messages())
            outside.replace(m, "");
        QVERIFY(!outside.isEmpty());
        for (char c : qAsConst(outside))
            QVERIFY2(LinkWriter::isGarbageByte(c), qPrintable(QString::number(uchar(c))));
        for (char c : {'a', 'z', 'A', 'Z', '{', '}', '\0'}) // what reports are made of
            QVERIFY(!LinkWriter::isGarbageByte(c));

        const auto dropping = started(Dev0809, 0, false, 400, 20);
        Peer control(dropping->controlPort()), upload(dropping->uploadPort());
        QVERIFY(control.connected() && upload.connected());
        QTRY_VERIFY_WITH_TIMEOUT(control.messages().size() >= 2, Timeout);
        for (const QByteArray &m : control.messages())
            QVERIFY2(ReferenceClient::read(m).object.begin().key().startsWith("input"), m);
        QTRY_COMPARE_WITH_TIMEOUT(control.socket.state(), QAbstractSocket::UnconnectedState,
                                  Timeout);
        QTRY_COMPARE_WITH_TIMEOUT(upload.socket.state(), QAbstractSocket::UnconnectedState,
                                  Timeout);
        Peer again(dropping->controlPort());
        QVERIFY(again.connected());
        again.send("{param=version}");
        QTRY_VERIFY_WITH_TIMEOUT(again.kinds().contains("version"), Timeout);
    }

    void linkWriterSplitsButKeepsRawTextsWhole()
    {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, listener.serverPort());
        QVERIFY(listener.waitForNewConnection(Timeout));
        QRandomGenerator random(1);
        LinkWriter writer(listener.nextPendingConnection(), LinkWriter::Faults{0, false, true},
                          &random);
        QByteArray received;
        connect(&client, &QTcpSocket::readyRead, &client, [&] { received += client.readAll(); });
        const QByteArray report = "{\"video1\":1,\"audio1\":1,\"IR1\":1}";
        for (int i = 0; i < 20; ++i)
            writer.send(report);
        QTRY_COMPARE_WITH_TIMEOUT(received, report.repeated(20), Timeout);
        QVERIFY(writer.writes() >= 40);
        const int before = writer.writes();
        writer.send(SimReports::httpAck(), true);
        QTRY_VERIFY_WITH_TIMEOUT(received.endsWith("OK"), Timeout);
        QCOMPARE(writer.writes(), before + 1);
    }

    // Junk past the command cap, zero and high bytes, and a client leaving mid-command.
    void hostileInput()
    {
        const auto server = started();
        Peer hostile(server->controlPort()), bystander(server->controlPort());
        QVERIFY(hostile.connected() && bystander.connected());
        hostile.send("{param=" + QByteArray(100 * 1024, '7') + QByteArray(70000, '\0') +
                     QByteArray(70000, '\xff'));
        hostile.send("}{param=version}");
        QTRY_COMPARE_WITH_TIMEOUT(hostile.kinds(), QStringList{"version"}, Timeout);
        hostile.send("{param=3VIDEO");
        hostile.socket.abort();
        QTRY_COMPARE_WITH_TIMEOUT(server->controlClientCount(), 1, Timeout);
        bystander.send("{param=status}");
        QTRY_COMPARE_WITH_TIMEOUT(bystander.messages().size(), 1, Timeout);
        QCOMPARE(bystander.read(0).value("video1").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSimServer)
#include "tst_simserver.moc"
