// The control link against a loopback device, and reports through the parse thread.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "reportrecorder.h"

#include <QJsonDocument>
#include <QMutex>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

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

void feed(MessageDistance *client, const QByteArray &bytes)
{
    QMetaObject::invokeMethod(client, "receiveDataSlot", Qt::DirectConnection,
                              Q_ARG(QByteArray, bytes));
}

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

    // Retried every period until the device listens; once up, no further attempt.
    void reconnectCycle()
    {
        quint16 port = LoopbackPeer().port();
        MessageDistance client;
        QCOMPARE(client.reconnectInterval(), 2000);
        client.setReconnectInterval(200);
        ReportRecorder rec(&client);
        client.connectToDevice(host, port);
        QTRY_VERIFY(rec.count("connectFailureSig") >= 1);
        QCOMPARE(rec.names().first(), QStringLiteral("connectingSig"));
        QVERIFY(!client.sendCommand(QStringLiteral("{param=5VIDEO5}")));
        QCOMPARE(rec.names().last(), QStringLiteral("si_commandNotSent"));
        QCOMPARE(rec.entries().last().text, QStringLiteral("{param=5VIDEO5}"));
        QVERIFY(logged(QStringLiteral("not sent (disconnected): {param=5VIDEO5}")));
        QVERIFY(!logged(QStringLiteral("send:")));
        rec.clear();
        QTRY_VERIFY_WITH_TIMEOUT(rec.count("connectingSig") > 0, 5000);
        QCOMPARE(rec.count("connectSuccessFulSig"), 0);

        LoopbackPeer device(port);
        QTRY_COMPARE_WITH_TIMEOUT(rec.count("connectSuccessFulSig"), 1, 6000);
        QTRY_VERIFY(device.hasClient());
        QVERIFY(logged(QStringLiteral("control link up: 127.0.0.1:%1").arg(port)));
        QVERIFY(!logged(QStringLiteral("control link down")));

        rec.clear();
        client.connectToDevice(host, port);
        QTRY_COMPARE(rec.count("connectSuccessFulSig"), 1);
        QCOMPARE(rec.names().first(), QStringLiteral("connectFailureSig"));
        QVERIFY(rec.names().indexOf("connectingSig") > 0);
        QTRY_COMPARE(device.connectionCount(), 2);
        const int settled = rec.count("connectingSig");
        QTest::qWait(300); // longer than one retry period: no attempt may come
        QCOMPARE(rec.count("connectingSig"), settled);
        QCOMPARE(rec.names().last(), QStringLiteral("connectSuccessFulSig"));
        QCOMPARE(device.connectionCount(), 2);
    }

    // Results reach receivers on this thread, even direct ones, in the order they were sent.
    void reportsArriveInOrderOnTheReceiversThread()
    {
        Link link;
        QVERIFY(link.up());
        auto &[device, client, rec] = link;
        rec.clear();
        QList<bool> onOwnThread;
        connect(
            &client, &MessageDistance::receiveVersionSig, this,
            [&] { onOwnThread << (QThread::currentThread() == thread()); }, Qt::DirectConnection);
        device.send("{\"type\":\"m\",\"MCU\":\"1\",\"FPGA\":\"2\",\"device\":\"0808\"}"
                    "{\"video1\":2,\"audio1\":2,\"IR1\":2}{\"ip\":\"a\",\"gateway\":\"b\",\"sub");
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
        QCOMPARE(onOwnThread, QList<bool>{true});
        QCOMPARE(rec.entries().at(2).flag, true);
        QCOMPARE(rec.entries().at(4).object.value("Frozen_change").toString(), "3/1");
        QCOMPARE(rec.entries().at(5).text, "{\"Chn\":2,\"Scaler_Mode\":1}");
    }

    // An unfinished message does not survive a new connection.
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
        QTRY_COMPARE_WITH_TIMEOUT(rec.count("connectSuccessFulSig"), 2, 6000);
        QTRY_VERIFY(device.hasClient());
        device.send(
            "{\"type\":\"m\",\"MCU\":\"1\",\"FPGA\":\"2\",\"device\":\"0808\"}{\"Angle2\":6}");
        QTRY_COMPARE(rec.count("receiveRotateAngleSig"), 1);
        QCOMPARE(rec.count("receiveVersionSig"), 1);
        QCOMPARE(rec.count("receiveVideoAudioIRMapSig"), 0);
        QVERIFY(!logged(QStringLiteral("JSON ERROR")));
    }

    // A flood arrives whole and in order while the link is read no faster than reports are taken.
    void floodIsHeldBackNotBuffered()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        MessageDistance client;
        client.connectToDevice(host, server.serverPort());
        QVERIFY(server.waitForNewConnection(5000));
        QScopedPointer<QTcpSocket> accepted(server.nextPendingConnection());
        const qintptr descriptor = accepted->socketDescriptor();
        accepted->setParent(nullptr);
        const int reports = 60000;
        // The device writes from its own thread, blocking until the link takes the bytes.
        QScopedPointer<QThread> writer(QThread::create([descriptor] {
            QTcpSocket socket;
            socket.setSocketDescriptor(descriptor);
            QByteArray batch;
            for (int i = 0; i < reports; ++i) {
                batch += "{\"Volume1\":" + QByteArray::number(i) + ",\"pad\":\"" +
                         QByteArray(200, 'p') + "\"}";
                if (batch.size() > 65536 || i == reports - 1) {
                    socket.write(batch);
                    batch.clear();
                    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(10000)) {
                    }
                }
            }
            socket.waitForReadyRead(30000); // held open until the client goes
        }));
        int received = 0;
        bool inOrder = true;
        int largestBacklog = 0;
        int largestUndelivered = 0;
        connect(&client, &MessageDistance::receiveVolumnImformationSig, this,
                [&](const QJsonObject &report) {
                    inOrder = inOrder && report.value("Volume1").toInt() == received++;
                    QByteArray work; // a receiver slower than the parser
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
    }

    // A zero byte ends the logged chunk only; a client destroyed mid-burst stops cleanly.
    void burstsAndShutdown()
    {
        {
            MessageDistance client;
            ReportRecorder rec(&client);
            feed(&client, QByteArray("{\"Angle1\":1}\0{\"Angle2\":2}", 25));
            QTRY_COMPARE(rec.count("receiveRotateAngleSig"), 2);
            QVERIFY(logged(QStringLiteral("TCP Receive {\"Angle1\":1}")));
            QVERIFY(!logged(QStringLiteral("TCP Receive {\"Angle1\":1}{")));
            feed(&client, QByteArray("\0{\"Angle2\":2}", 13));
            QTRY_COMPARE(rec.count("receiveRotateAngleSig"), 3);
            QMutexLocker lock(&logMutex);
            QVERIFY(capturedLog.contains(QStringLiteral("TCP Receive ")));
        }
        for (int round = 0; round < 20; ++round)
            feed(QScopedPointer<MessageDistance>(new MessageDistance).data(),
                 QByteArray(20000, '{') + "}");
    }
};

QTEST_GUILESS_MAIN(TestMessageDistance)
#include "tst_messagedistance.moc"
