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

SimOptions localOptions(DeviceType type = Dev0809)
{
    SimOptions o;
    o.type = type;
    o.controlPort = 0;
    o.uploadPort = 0;
    o.seeded = true;
    o.seed = 7;
    return o;
}

bool started(SimServer &server)
{
    QString error;
    if (!server.start(&error))
        qWarning("%s", qPrintable(error));
    return server.controlPort() != 0;
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
    void everyQueryAnsweredInOneGo_data();
    void everyQueryAnsweredInOneGo();
    void setCommandsNotifyTheOthersOnly();
    void liveSignalChangesReachEveryone();
    void upload_data();
    void upload();
    void garbageAndLatencyFaults();
    void linkWriterSplitsButKeepsRawTextsWhole();
    void dropFault();
    void hostileInput_data();
    void hostileInput();
};

void TestSimServer::everyQueryAnsweredInOneGo_data()
{
    QTest::addColumn<int>("type");
    for (int t = Dev0808; t <= Dev0404; ++t)
        QTest::newRow(qPrintable(SimState::modelText(DeviceType(t)))) << t;
}

void TestSimServer::everyQueryAnsweredInOneGo()
{
    QFETCH(int, type);
    SimServer server(localOptions(DeviceType(type)));
    QVERIFY(started(server));
    Peer peer(server.controlPort());
    QVERIFY(peer.connected());
    QStringList expected;
    const QByteArray all = allQueries(&expected, type == Dev0409S);
    // All at once, but cut inside a command, as a busy client's writes arrive.
    QTRY_COMPARE_WITH_TIMEOUT(server.controlClientCount(), 1, Timeout);
    peer.send(all.left(20));
    QVERIFY(!QTest::qWaitFor([&peer] { return peer.messages().size() > 1; }, 50));
    peer.send(all.mid(20));
    QTRY_COMPARE_WITH_TIMEOUT(peer.messages().size(), expected.size(), Timeout);
    QCOMPARE(peer.kinds(), expected);
    QCOMPARE(peer.received, peer.messages().join()); // nothing between reports without a fault
    // The model's own shape: all its outputs, and the fields only some models report.
    QCOMPARE(ReferenceClient::read(peer.messages().at(5)).object.size(),
             server.model().state().outputs);
    const QJsonObject version = ReferenceClient::read(peer.messages().first()).object;
    QCOMPARE(version.contains("Splitter"), type == Dev0809M);
    QCOMPARE(version.contains("bezel_y"), type == Dev0409S);
}

// Many clients at once: all but the sender hear of each change, and each is answered.
void TestSimServer::setCommandsNotifyTheOthersOnly()
{
    SimServer server(localOptions());
    QVERIFY(started(server));
    std::vector<std::unique_ptr<Peer>> peers;
    for (int i = 0; i < 25; ++i) {
        peers.push_back(std::make_unique<Peer>(server.controlPort()));
        QVERIFY(peers.back()->connected());
    }
    QTRY_COMPARE_WITH_TIMEOUT(server.controlClientCount(), 25, Timeout);

    Peer &sender = *peers.front();
    sender.send("{param=3VIDEO5}{param=Frozen5/1}{param=No_Signal5/0/255/0/0}{param=version}");
    for (size_t i = 1; i < peers.size(); ++i)
        QTRY_COMPARE_WITH_TIMEOUT(peers[i]->messages().size(), 3, Timeout);
    const QList<QByteArray> notices = peers.back()->messages();
    QCOMPARE(ReferenceClient::read(notices.at(0)).object.value("video5_change").toInt(), 3);
    QCOMPARE(ReferenceClient::read(notices.at(1)).object.value("Frozen_change").toString(),
             QString("Frozen5/1"));
    QCOMPARE(ReferenceClient::rawPass(notices.at(2)), int(ReferenceClient::Forward));
    // The sender hears only the answer to its query, which came after the set commands.
    QTRY_COMPARE_WITH_TIMEOUT(sender.messages().size(), 1, Timeout);
    QCOMPARE(sender.kinds(), QStringList{"version"});
    // And the state really changed: anyone asking now sees it.
    for (auto &p : peers) {
        p->received.clear();
        p->send("{param=status}{param=outputinfo}");
    }
    for (auto &p : peers)
        QTRY_COMPARE_WITH_TIMEOUT(p->messages().size(), 2, Timeout);
    const QList<QByteArray> answers = peers.back()->messages();
    QCOMPARE(ReferenceClient::read(answers.at(0)).object.value("video5").toInt(), 3);
    QCOMPARE(ReferenceClient::read(answers.at(1)).object.value("link5").toString(),
             QString("true/true/true/false"));
}

void TestSimServer::liveSignalChangesReachEveryone()
{
    SimOptions o = localOptions();
    o.live = true;
    o.liveIntervalMs = 20;
    SimServer server(o);
    QVERIFY(started(server));
    Peer a(server.controlPort()), b(server.controlPort());
    QVERIFY(a.connected() && b.connected());
    QTRY_VERIFY_WITH_TIMEOUT(a.messages().size() >= 2, Timeout);
    QTRY_VERIFY_WITH_TIMEOUT(b.messages().size() >= 2, Timeout);
    for (const QByteArray &m : a.messages()) {
        const ReferenceClient::Reading r = ReferenceClient::read(m);
        QCOMPARE(r.kinds, QStringList{"changed"});
        QVERIFY2(r.object.begin().key().startsWith("input"), m);
    }
}

// Packets are answered one by one however TCP cuts them; the end command brings "<ACK_1>" on
// the upload link and the HTTP acknowledgement on the control link, to the sender only.
void TestSimServer::upload_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("port");
    QTest::newRow("nothing") << 0 << "Upload_Subtitle3"
                             << "Subtitle" << 3;
    QTest::newRow("three packets") << 1201 << "Update_EDID4"
                                   << "EDID" << 4;
}

void TestSimServer::upload()
{
    QFETCH(int, size);
    QFETCH(QString, start);
    QFETCH(QString, kind);
    QFETCH(int, port);
    SimServer server(localOptions());
    QVERIFY(started(server));
    Peer control(server.controlPort()), other(server.controlPort());
    Peer upload(server.uploadPort());
    QVERIFY(control.connected() && other.connected() && upload.connected());
    QTRY_COMPARE_WITH_TIMEOUT(server.uploadClientCount(), 1, Timeout);

    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(i * 7 + 1);
    control.send("{param=" + start.toLatin1() + "}");
    int answers = 0;
    for (int from = 0; from < size; from += 500) {
        const QByteArray packet = data.mid(from, 500);
        // The first packet arrives in two pieces; it is still one packet.
        if (from == 0 && packet.size() > 100) {
            upload.send(packet.left(100));
            QCoreApplication::processEvents();
            upload.send(packet.mid(100));
        } else {
            upload.send(packet);
        }
        ++answers;
        QTRY_COMPARE_WITH_TIMEOUT(upload.received.count("<ACK_0>\r\n"), answers, Timeout);
    }
    control.send("{param=Done}");
    QTRY_VERIFY_WITH_TIMEOUT(upload.received.endsWith("<ACK_1>\r\n"), Timeout);
    QCOMPARE(upload.received, QByteArray("<ACK_0>\r\n").repeated(answers) + "<ACK_1>\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(ReferenceClient::rawPass(control.received),
                              int(ReferenceClient::Http), Timeout);
    QCOMPARE(server.model().lastUpload(kind).data, data);
    QCOMPARE(server.model().lastUpload(kind).port, port);
    // Nobody else is told about an upload.
    control.send("{param=version}");
    QTRY_VERIFY_WITH_TIMEOUT(control.received.contains("MCU"), Timeout);
    QVERIFY(other.received.isEmpty());
}

// Stray bytes and a reply delay together: reports still whole, in order, and late.
void TestSimServer::garbageAndLatencyFaults()
{
    SimOptions o = localOptions();
    o.garbage = true;
    o.latencyMs = 300;
    SimServer server(o);
    QVERIFY(started(server));
    Peer peer(server.controlPort());
    QVERIFY(peer.connected());
    QStringList expected;
    QElapsedTimer clock;
    clock.start();
    peer.send(allQueries(&expected, false));
    QTRY_COMPARE_WITH_TIMEOUT(peer.messages().size(), expected.size(), Timeout);
    QVERIFY(clock.elapsed() >= 300);
    QCOMPARE(peer.kinds(), expected);
    // Around the reports only bytes the client skips.
    QByteArray outside;
    int pos = 0;
    for (const QByteArray &m : peer.messages()) {
        const int at = peer.received.indexOf(m, pos);
        QVERIFY(at >= 0);
        outside += peer.received.mid(pos, at - pos);
        pos = at + m.size();
    }
    outside += peer.received.mid(pos);
    QVERIFY(!outside.isEmpty());
    for (char c : qAsConst(outside))
        QVERIFY2(LinkWriter::isGarbageByte(c), qPrintable(QString::number(uchar(c))));
}

void TestSimServer::linkWriterSplitsButKeepsRawTextsWhole()
{
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, listener.serverPort());
    QVERIFY(listener.waitForNewConnection(Timeout));
    QVERIFY(client.waitForConnected(Timeout));
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

void TestSimServer::dropFault()
{
    SimOptions o = localOptions();
    o.dropEveryMs = 200;
    SimServer server(o);
    QVERIFY(started(server));
    Peer control(server.controlPort()), upload(server.uploadPort());
    QVERIFY(control.connected() && upload.connected());
    QTRY_COMPARE_WITH_TIMEOUT(control.socket.state(), QAbstractSocket::UnconnectedState, Timeout);
    QTRY_COMPARE_WITH_TIMEOUT(upload.socket.state(), QAbstractSocket::UnconnectedState, Timeout);
    // A client that comes back is served as before.
    Peer again(server.controlPort());
    QVERIFY(again.connected());
    again.send("{param=version}");
    QTRY_COMPARE_WITH_TIMEOUT(again.messages().size(), 1, Timeout);
}

void TestSimServer::hostileInput_data()
{
    QTest::addColumn<QByteArray>("junk");
    QTest::newRow("megabyte without braces") << QByteArray(1 << 20, 'x');
    QTest::newRow("open command past the cap") << "{param=" + QByteArray(100 * 1024, '7');
    QTest::newRow("zero bytes and high bytes")
        << QByteArray(70000, '\0') + QByteArray(70000, '\xff');
}

void TestSimServer::hostileInput()
{
    QFETCH(QByteArray, junk);
    SimServer server(localOptions());
    QVERIFY(started(server));
    Peer hostile(server.controlPort()), bystander(server.controlPort());
    QVERIFY(hostile.connected() && bystander.connected());
    hostile.send(junk);
    hostile.send("}{param=version}");
    QTRY_COMPARE_WITH_TIMEOUT(hostile.kinds(), QStringList{"version"}, Timeout);
    // Leaving in the middle of a command does no harm and changes nothing.
    hostile.send("{param=3VIDEO");
    hostile.socket.abort();
    QTRY_COMPARE_WITH_TIMEOUT(server.controlClientCount(), 1, Timeout);
    bystander.send("{param=status}");
    QTRY_COMPARE_WITH_TIMEOUT(bystander.messages().size(), 1, Timeout);
    QCOMPARE(ReferenceClient::read(bystander.messages().first()).object.value("video1").toInt(), 1);
}

QTEST_GUILESS_MAIN(TestSimServer)
#include "tst_simserver.moc"
