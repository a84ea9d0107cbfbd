// The control link against a loopback device, and reports through the parse thread.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "reportrecorder.h"

#include <QJsonDocument>
#include <QtTest>

namespace {
const QString host = QStringLiteral("127.0.0.1");

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
    // Retried every period until the device listens; once up, no further attempt. A command
    // refused while down is not sent later.
    void reconnectCycle()
    {
        quint16 port = LoopbackPeer().port();
        MessageDistance client;
        client.setReconnectInterval(200);
        ReportRecorder rec(&client);
        client.connectToDevice(host, port);
        QTRY_VERIFY(rec.count("connectFailureSig") >= 1 && rec.names.first() == "connectingSig");
        QVERIFY(!client.sendCommand(QStringLiteral("{param=5VIDEO5}")));
        QCOMPARE(rec.args("si_commandNotSent"), QStringList{"{param=5VIDEO5}"});
        rec.clear();
        QTRY_VERIFY_WITH_TIMEOUT(rec.count("connectingSig") > 0, 5000);

        LoopbackPeer device(port);
        QTRY_COMPARE_WITH_TIMEOUT(rec.count("connectSuccessFulSig"), 1, 6000);
        client.getVersion();
        QTRY_COMPARE(device.received(), QByteArray("{param=version}"));

        rec.clear();
        client.connectToDevice(host, port);
        QTRY_COMPARE(rec.count("connectSuccessFulSig"), 1);
        QCOMPARE(rec.names.first(), QStringLiteral("connectFailureSig"));
        QTRY_COMPARE(device.connectionCount(), 2);
        const int settled = rec.count("connectingSig");
        QTest::qWait(300); // longer than one retry period: no attempt may come
        QCOMPARE(rec.count("connectingSig"), settled);
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
        static QStringList logged; // what the log shows of each chunk read
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &line) {
                if (line.startsWith("TCP Receive ")) // the others may come from any thread
                    logged << line.mid(12);
            });
        device.send("{\"type\":\"m\",\"MCU\":\"1\",\"FPGA\":\"2\",\"device\":\"0808\"}"
                    "{\"video1\":2,\"audio1\":2,\"IR1\":2}{\"ip\":\"a\",\"gateway\":\"b\",\"sub");
        QTRY_COMPARE(rec.count("receiveVideoAudioIRMapSig"), 1);
        device.send("net\":\"c\",\"DHCP\":false,\"mac\":\"d\"}{Frozen_change=3/1}");
        QTRY_COMPARE(rec.count("receiveChangedByOthersSig"), 1);
        device.send("{\"Chn\":2,\"Scaler_Mode\":1}HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK");
        QTRY_COMPARE(rec.count("si_requestCloseOsdSocket"), 1);
        qInstallMessageHandler(previous);
        QVERIFY(logged.contains(R"({"Chn":2,"Scaler_Mode":1}HTTP/1.1 200 OKContent-Length:2OK)"));
        device.send(R"({"window1":[0,0,0,0,0,0],"VIR":1,"input1":true,"link1":"a","bind1":"1",)"
                    R"("mode":1,"switch":1,"hdcp_in1":1}{"in1":"a","out1":"b"})");
        QTRY_COMPARE(rec.count("receiveInOutChannelResolutionMapSig"), 1);
        QCOMPARE(
            rec.names,
            (QStringList{"receiveVersionSig", "receiveVideoAudioIRMapSig", "si_SetDhcpSwitch",
                         "receiveNetWorkImforamtionSig", "receiveChangedByOthersSig",
                         "si_ForwardAnalysis", "si_http200Analysis", "si_requestCloseOsdSocket",
                         "receiveWindowStatusSig", "receiveInputChannelStateSig",
                         "receiveOutputInfoSig", "receiveBindInfoSig", "receiveTitleImfSig",
                         "receiveHDCPInfoSig", "receiveInOutChannelResolutionMapSig"}));
        QCOMPARE(MessageDistance::instance()->thread(), thread()); // the window's client
        QCOMPARE(onOwnThread, QList<bool>{true});
        QCOMPARE(rec.args("si_SetDhcpSwitch"), QStringList{"false"});
    }

    // An unfinished message survives neither the device dropping the link nor a new connection.
    void reconnectDropsUnfinishedMessage()
    {
        Link link;
        QVERIFY(link.up());
        auto &[device, client, rec] = link;
        for (const int links : {2, 3}) {
            device.send("{\"video1\":3,\"video2\":");
            QTRY_VERIFY(client.receiveBacklog() > 0);
            if (links == 2)
                device.dropClient();
            else
                client.connectToDevice(host, device.port());
            QTRY_COMPARE_WITH_TIMEOUT(rec.count("connectSuccessFulSig"), links, 6000);
            QTRY_COMPARE(device.connectionCount(), links);
            device.send("{\"Angle2\":6}");
            QTRY_COMPARE(rec.count("receiveRotateAngleSig"), links - 1);
        }
        QCOMPARE(rec.count("receiveVideoAudioIRMapSig"), 0);
    }

    // A flood arrives whole and in order while the link is read no faster than reports are taken.
    void floodIsHeldBackNotBuffered()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        MessageDistance client;
        client.connectToDevice(host, server.serverPort());
        QVERIFY(server.waitForNewConnection(5000));
        const qintptr descriptor = server.nextPendingConnection()->socketDescriptor();
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
        int largestBacklog = 0, largestUndelivered = 0;
        connect(&client, &MessageDistance::receiveVolumnImformationSig, this,
                [&](const QJsonObject &report) {
                    inOrder = inOrder && report.value("Volume1").toInt() == received++;
                    received > reports - 100 ? QThread::msleep(1) : void(); // past one slice
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
        QVERIFY(inOrder && largestBacklog <= 2 * 1024 * 1024 + 65536 &&
                largestUndelivered <= 2048 + 256);
        client.closeConnections();
        writer->wait(30000);
    }

    // A client destroyed mid-burst stops its parse thread cleanly.
    void destroyedMidBurst()
    {
        for (int round = 0; round < 20; ++round)
            QMetaObject::invokeMethod(QScopedPointer<MessageDistance>(new MessageDistance).data(),
                                      "receiveDataSlot",
                                      Q_ARG(QByteArray, QByteArray(20000, '{') + "}"));
    }
};

QTEST_GUILESS_MAIN(TestMessageDistance)
#include "tst_messagedistance.moc"
