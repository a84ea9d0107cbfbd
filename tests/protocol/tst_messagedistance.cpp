// The client as the application runs it: the control connection and its reconnect cycle
// against a real loopback server, and reports travelling from the socket through the parse
// thread to receivers on the GUI thread.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "reportrecorder.h"

#include <QJsonDocument>
#include <QMutex>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <algorithm>

namespace {
QMutex logMutex;
QStringList capturedLog;
void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&logMutex);
    capturedLog << message;
}
bool logged(const QString &prefix)
{
    QMutexLocker lock(&logMutex);
    return std::any_of(capturedLog.cbegin(), capturedLog.cend(),
                       [&](const QString &line) { return line.startsWith(prefix); });
}

const QString host = QStringLiteral("127.0.0.1");

// A device, a client connected to it and a recorder of the client's signals.
struct Link
{
    LoopbackPeer device;
    MessageDistance client;
    ReportRecorder rec{&client};

    bool up()
    {
        client.connectToDevice(host, device.port());
        return QTest::qWaitFor(
            [this] { return device.hasClient() && rec.count("connectSuccessFulSig") == 1; });
    }
};
} // namespace

class TestMessageDistance : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QMutexLocker lock(&logMutex);
        capturedLog.clear();
        qInstallMessageHandler(captureLog);
    }
    void cleanup() { qInstallMessageHandler(nullptr); }

    // Unreachable at first: connecting, failure, then a fresh attempt every 2000 ms until the
    // device listens; then one success and no more attempts.
    void reconnectsUntilTheDeviceListens()
    {
        quint16 port = 0;
        {
            LoopbackPeer probe;
            port = probe.port();
        }
        MessageDistance client;
        ReportRecorder rec(&client);
        client.connectToDevice(host, port);
        QTRY_VERIFY(rec.count("connectFailureSig") >= 1);
        QCOMPARE(rec.names().first(), QStringLiteral("connectingSig"));
        QCOMPARE(rec.names().last(), QStringLiteral("connectFailureSig"));
        // Nothing goes out while the link is down, and the caller and the log are told so.
        QVERIFY(!client.sendCommand(QStringLiteral("{param=5VIDEO5}")));
        QCOMPARE(rec.names().last(), QStringLiteral("si_commandNotSent"));
        QCOMPARE(rec.entries().last().text, QStringLiteral("{param=5VIDEO5}"));
        QVERIFY(logged(QStringLiteral("not sent (disconnected): {param=5VIDEO5}")));
        QVERIFY(!logged(QStringLiteral("send:")));
        rec.clear();
        const int attempts = rec.count("connectingSig");
        QTRY_VERIFY_WITH_TIMEOUT(rec.count("connectingSig") > attempts, 5000);
        QCOMPARE(rec.count("connectSuccessFulSig"), 0);

        LoopbackPeer device(port);
        QVERIFY(device.isListening());
        QTRY_COMPARE_WITH_TIMEOUT(rec.count("connectSuccessFulSig"), 1, 6000);
        QTRY_VERIFY(device.hasClient());
        QVERIFY(logged(QStringLiteral("control link up: 127.0.0.1:%1").arg(port)));
        QVERIFY(!logged(QStringLiteral("control link down")));
        const int settled = rec.count("connectingSig");
        QTest::qWait(2300);
        QCOMPARE(rec.count("connectingSig"), settled);
        QCOMPARE(rec.count("connectSuccessFulSig"), 1);
        QCOMPARE(device.connectionCount(), 1);
    }

    void connectAgainWhileConnected()
    {
        Link link;
        QVERIFY(link.up());
        auto &[device, client, rec] = link;
        rec.clear();

        client.connectToDevice(host, device.port());
        QTRY_COMPARE(rec.count("connectSuccessFulSig"), 1);
        const QStringList names = rec.names();
        QCOMPARE(names.first(), QStringLiteral("connectFailureSig"));
        QVERIFY(names.indexOf("connectingSig") > 0);
        QCOMPARE(names.last(), QStringLiteral("connectSuccessFulSig"));
        QTRY_COMPARE(device.connectionCount(), 2);
        // The abort started the retry timer; the success must have stopped it again.
        QTest::qWait(2300);
        QCOMPARE(rec.names().last(), QStringLiteral("connectSuccessFulSig"));
        QCOMPARE(device.connectionCount(), 2);
    }

    // Reports of every kind, forwarded texts and the HTTP acknowledgement cross from the parse
    // thread to receivers on this thread, in the order they were sent, however the stream is cut.
    void reportsArriveInOrderOnTheReceiversThread()
    {
        Link link;
        QVERIFY(link.up());
        auto &[device, client, rec] = link;
        rec.clear();
        // Even a receiver connected directly is called on this thread, never the parse thread.
        QList<bool> directOnOwnThread;
        connect(
            &client, &MessageDistance::receiveVersionSig, this,
            [&](const QJsonObject &) {
                directOnOwnThread << (QThread::currentThread() == thread());
            },
            Qt::DirectConnection);

        device.send("{\"type\":\"m\",\"MCU\":\"1\",\"FPGA\":\"2\",\"device\":\"0808\"}"
                    "{\"video1\":2,\"audio1\":2,\"IR1\":2}{\"ip\":\"a\",\"gateway\":\"b\","
                    "\"sub");
        QTRY_COMPARE(rec.count("receiveVideoAudioIRMapSig"), 1);
        device.send("net\":\"c\",\"DHCP\":true,\"mac\":\"d\"}{Frozen_change=3/1}");
        QTRY_COMPARE(rec.count("receiveChangedByOthersSig"), 1);
        device.send("{\"Chn\":2,\"Scaler_Mode\":1}");
        QTRY_COMPARE(rec.count("si_ForwardAnalysis"), 1);
        device.send("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK");
        QTRY_COMPARE(rec.count("si_requestCloseOsdSocket"), 1);
        QCOMPARE(rec.names(), (QStringList{"receiveVersionSig", "receiveVideoAudioIRMapSig",
                                           "si_SetDhcpSwitch", "receiveNetWorkImforamtionSig",
                                           "receiveChangedByOthersSig", "si_ForwardAnalysis",
                                           "si_http200Analysis", "si_requestCloseOsdSocket"}));
        QCOMPARE(directOnOwnThread, QList<bool>{true});
        QCOMPARE(rec.entries().at(2).flag, true);
        QCOMPARE(rec.entries().at(4).object.value("Frozen_change").toString(),
                 QStringLiteral("3/1"));
        QCOMPARE(rec.entries().at(5).text, QStringLiteral("{\"Chn\":2,\"Scaler_Mode\":1}"));
    }

    // Bytes of an unfinished message do not survive a new connection, whether the operator
    // connects again or the device drops the link and the reconnect cycle brings it back: the
    // first answer on the new link arrives whole.
    void reconnectDropsUnfinishedMessage_data()
    {
        QTest::addColumn<bool>("deviceDrops");
        QTest::newRow("connect again") << false;
        QTest::newRow("device drops the link") << true;
    }
    void reconnectDropsUnfinishedMessage()
    {
        QFETCH(bool, deviceDrops);
        Link link;
        QVERIFY(link.up());
        auto &[device, client, rec] = link;
        device.send("{\"video1\":3,\"video2\":");
        QTRY_VERIFY(logged(QStringLiteral("TCP Receive {\"video1\":3,\"video2\":")));

        if (deviceDrops) {
            device.dropClient();
            QTRY_VERIFY(
                logged(QStringLiteral("control link down: 127.0.0.1:%1").arg(device.port())));
        } else {
            client.connectToDevice(host, device.port());
        }
        QTRY_COMPARE_WITH_TIMEOUT(device.connectionCount(), 2, 6000);
        QTRY_VERIFY(device.hasClient());
        QTRY_COMPARE(rec.count("connectSuccessFulSig"), 2);
        device.send(
            "{\"type\":\"m\",\"MCU\":\"1\",\"FPGA\":\"2\",\"device\":\"0808\"}{\"Angle2\":6}");
        QTRY_COMPARE(rec.count("receiveRotateAngleSig"), 1);
        QCOMPARE(rec.count("receiveVersionSig"), 1);
        QCOMPARE(rec.count("receiveVideoAudioIRMapSig"), 0);
        QVERIFY(!logged(QStringLiteral("JSON ERROR")));
    }

    // Megabytes without a closing brace are dropped at the ceiling with one log line; the
    // report after them still arrives, and the buffer never holds much more than the ceiling.
    void unclosedMessageIsDroppedAtTheCeiling()
    {
        Link link;
        QVERIFY(link.up());
        auto &[device, client, rec] = link;
        const QByteArray junk(256 * 1024, 'x');
        int largest = 0;
        for (int i = 0; i < 16; ++i) {
            device.send(i == 0 ? "{" + junk : junk);
            QTest::qWait(1);
            largest = std::max(largest, client.receiveBacklog());
        }
        device.send("{\"Angle1\":4}");
        QTRY_COMPARE(rec.count("receiveRotateAngleSig"), 1);
        QVERIFY2(largest <= 2 * 1024 * 1024 + 65536, qPrintable(QString::number(largest)));
        QTRY_COMPARE(client.receiveBacklog(), 0);
        QMutexLocker lock(&logMutex);
        QCOMPARE(capturedLog.filter(QStringLiteral("no closing brace")).size(), 1);
    }

    // A device flooding faster than the receivers can take its reports: every report arrives,
    // in order, while what waits in memory stays bounded because the link is read no faster
    // than the reports are taken.
    void floodIsHeldBackNotBuffered()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        MessageDistance client;
        client.connectToDevice(host, server.serverPort());
        QVERIFY(server.waitForNewConnection(5000));
        QTcpSocket *accepted = server.nextPendingConnection();
        const qintptr descriptor = accepted->socketDescriptor();
        accepted->setParent(nullptr);
        const int reports = 60000;
        // The device writes from a thread of its own, blocking until the link takes the bytes.
        QThread *writer = QThread::create([descriptor, reports] {
            QTcpSocket socket;
            socket.setSocketDescriptor(descriptor);
            QByteArray batch;
            for (int i = 0; i < reports; ++i) {
                batch += "{\"Volume1\":" + QByteArray::number(i) + ",\"Mute1\":0,\"pad\":\"" +
                         QByteArray(200, 'p') + "\"}";
                if (batch.size() > 65536 || i == reports - 1) {
                    socket.write(batch);
                    batch.clear();
                    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(10000)) {
                    }
                }
            }
            socket.waitForReadyRead(30000); // held open until the client goes
        });
        int received = 0;
        bool inOrder = true;
        int largestBacklog = 0;
        int largestUndelivered = 0;
        connect(&client, &MessageDistance::receiveVolumnImformationSig, this,
                [&](const QJsonObject &report) {
                    inOrder = inOrder && report.value("Volume1").toInt() == received;
                    ++received;
                    // A receiver slower than the parser: it does some real work per report.
                    QByteArray work;
                    for (int i = 0; i < 20; ++i)
                        work += QJsonDocument(report).toJson();
                    if (received % 97 == 0) {
                        largestBacklog = std::max(largestBacklog, client.receiveBacklog());
                        largestUndelivered =
                            std::max(largestUndelivered, client.undeliveredResults());
                    }
                });
        writer->start();
        QTRY_COMPARE_WITH_TIMEOUT(received, reports, 120000);
        QVERIFY(inOrder);
        QVERIFY2(largestBacklog <= 2 * 1024 * 1024 + 65536,
                 qPrintable(QString::number(largestBacklog)));
        QVERIFY2(largestUndelivered <= 2048 + 256, qPrintable(QString::number(largestUndelivered)));
        client.closeConnections();
        writer->wait(30000);
        delete writer;
        delete accepted;
    }

    // A zero byte ends what the log shows of a chunk, not what is buffered.
    void zeroByteIsBufferedWhole()
    {
        MessageDistance client;
        ReportRecorder rec(&client);
        QMetaObject::invokeMethod(
            &client, "receiveDataSlot", Qt::DirectConnection,
            Q_ARG(QByteArray, QByteArray("{\"Angle1\":1}\0{\"Angle2\":2}", 25)));
        QTRY_COMPARE(rec.count("receiveRotateAngleSig"), 2);
        QVERIFY(logged(QStringLiteral("TCP Receive {\"Angle1\":1}")));
        QVERIFY(!logged(QStringLiteral("TCP Receive {\"Angle1\":1}{")));
    }

    // A long burst comes through complete and in order, and a client destroyed in the middle
    // of one stops its thread cleanly.
    void burstsAndShutdown()
    {
        {
            MessageDistance client;
            ReportRecorder rec(&client);
            QByteArray burst;
            for (int i = 0; i < 3000; ++i)
                burst += "{\"Volume1\":" + QByteArray::number(i) + "}";
            QMetaObject::invokeMethod(&client, "receiveDataSlot", Qt::DirectConnection,
                                      Q_ARG(QByteArray, burst));
            QTRY_COMPARE(rec.count("receiveVolumnImformationSig"), 3000);
            for (int i = 0; i < 3000; ++i)
                QCOMPARE(rec.entries().at(i).object.value("Volume1").toInt(), i);
        }
        for (int round = 0; round < 20; ++round) {
            auto *client = new MessageDistance;
            QMetaObject::invokeMethod(client, "receiveDataSlot", Qt::DirectConnection,
                                      Q_ARG(QByteArray, QByteArray(20000, '{') + "}"));
            delete client;
        }
    }
};

QTEST_GUILESS_MAIN(TestMessageDistance)
#include "tst_messagedistance.moc"
