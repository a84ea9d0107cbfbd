// Uploads over a second loopback connection standing in for the device's upload port.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "reportrecorder.h"

#include <QtTest>

#include <memory>

namespace {
const QString host = QStringLiteral("127.0.0.1");
const QByteArray ack = "<ACK_1>\r\n";

QByteArray pattern(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char('a' + i % 23);
    return data;
}
} // namespace

class TestUploadChannel : public QObject
{
    Q_OBJECT

    std::unique_ptr<LoopbackPeer> m_control;
    std::unique_ptr<LoopbackPeer> m_upload;
    std::unique_ptr<MessageDistance> m_client;
    std::unique_ptr<ReportRecorder> m_rec;
    QStringList m_errors;

    QStringList progress() const
    {
        QStringList values;
        for (const auto &e : m_rec->entries())
            if (e.name == QLatin1String("si_updateProgressVal"))
                values << e.text;
        return values;
    }
    bool openUpload()
    {
        m_client->openUploadSocket(true);
        if (!m_client->isUploadConnected())
            return false;
        return QTest::qWaitFor([this] { return m_upload->hasClient(); });
    }
    // Two transfers queued; the answer to the first's only packet sends its end command and, in
    // the same step, the second's start command and first packet.
    void queueTwo()
    {
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD1}", pattern(500), "{param=Done}");
        m_client->uploadFile("{param=Upload_OSD2}", pattern(520), "{param=Done}");
        QCOMPARE(m_client->uploadQueueSize(), 5);
        QTRY_COMPARE(m_upload->received(), pattern(500));
        m_upload->send("ok");
        QTRY_COMPARE(m_control->received(),
                     QByteArray("{param=Upload_OSD1}{param=Done}{param=Upload_OSD2}"));
        QTRY_COMPARE(m_upload->received(), pattern(500) + pattern(500));
        QCOMPARE(m_client->uploadQueueSize(), 2);
    }

private slots:
    void init()
    {
        m_control = std::make_unique<LoopbackPeer>();
        m_upload = std::make_unique<LoopbackPeer>();
        m_client = std::make_unique<MessageDistance>();
        m_rec = std::make_unique<ReportRecorder>(m_client.get());
        m_errors.clear();
        m_client->setErrorReporter([this](const QString &title, const QString &text) {
            m_errors << title + QLatin1Char('|') + text;
        });
        m_client->setUploadPort(m_upload->port());
        m_client->connectToDevice(host, m_control->port());
        QTRY_VERIFY(m_client->isConnected());
        QTRY_VERIFY(m_control->hasClient());
    }
    void cleanup()
    {
        m_rec.reset();
        m_client.reset();
        m_upload.reset();
        m_control.reset();
    }

    // Packets of 500 bytes, each after an answer (an empty transfer still waits for one); the
    // end command after the answer to the last; the acknowledgement accepted; the socket closed
    // a second later.
    void packetsFollowAnswers_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("progress");
        QTest::newRow("three packets") << 1201 << QStringList{"2", "1"};
        QTest::newRow("exactly one packet") << 500 << QStringList();
        QTest::newRow("empty") << 0 << QStringList();
    }
    void packetsFollowAnswers()
    {
        QFETCH(int, size);
        QFETCH(QStringList, progress);
        const QByteArray data = pattern(size);
        const int packets = qMax(1, (size + 499) / 500);
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD3}", data, "{param=Done}");
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD3}"));
        QCOMPARE(m_client->uploadQueueSize(), packets);
        QCOMPARE(m_client->isUploadBusy(), size > 0);
        for (int sent = 1; sent <= packets; ++sent) {
            QTRY_COMPARE(m_upload->received(), data.left(sent * 500));
            QTRY_COMPARE(this->progress().size(), sent - 1);
            QCOMPARE(m_rec->count("si_osdUploadFinish"), 0);
            m_upload->send("next");
        }
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD3}{param=Done}"));
        QTRY_COMPARE(m_rec->count("si_osdUploadFinish"), 1);
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QVERIFY(!m_client->isUploadBusy());

        m_upload->send(ack);
        QTRY_VERIFY(!m_client->isUploadOpen());
        QTRY_VERIFY(m_rec->count("si_setDisableUiObject") >= 1);
        QCOMPARE(m_errors, QStringList());
        QCOMPARE(this->progress(), progress);
        QCOMPARE(m_upload->received(), data);
    }

    // An answer lacking the acknowledgement after the end command fails the transfer: the
    // operator is told, Done goes out again, the upload link is dropped and the queue emptied.
    void failedAcknowledgement()
    {
        queueTwo();
        if (QTest::currentTestFailed())
            return;
        m_upload->send("<ACK_0>\r\n");
        QTRY_COMPARE(m_errors.size(), 1);
        QCOMPARE(m_errors.first(),
                 QStringLiteral("NetWork Error|传输文件过程网络发生错误！请重新上传"));
        QTRY_COMPARE(m_control->received(),
                     QByteArray("{param=Upload_OSD1}{param=Done}{param=Upload_OSD2}{param=Done}"));
        QVERIFY(!m_client->isUploadConnected());
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QVERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(m_rec->count("si_setDisableUiObject") >= 1);
        QTRY_VERIFY(!m_upload->hasClient());
    }

    // With the acknowledgement the second transfer goes on.
    void secondTransferWaitsBehind()
    {
        queueTwo();
        if (QTest::currentTestFailed())
            return;
        m_upload->send(ack);
        QTRY_COMPARE(m_upload->received(), pattern(500) + pattern(520));
        m_upload->send("ok");
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"
                                                       "{param=Upload_OSD2}{param=Done}"));
        QCOMPARE(m_errors, QStringList());
    }

    // Before the end command, any answer is the go-ahead, even one that is not an acknowledgement.
    void answerWithoutEndCommandIsGoAhead()
    {
        QVERIFY(openUpload());
        m_client->uploadFile(QString(), pattern(700), QString());
        QTRY_COMPARE(m_upload->received(), pattern(500));
        m_upload->send("<ACK_0>");
        QTRY_COMPARE(m_upload->received(), pattern(700));
        QCOMPARE(m_errors, QStringList());
        m_upload->send("fine");
        QTRY_VERIFY(!m_client->isUploadBusy());
    }

    // A dropped upload link keeps the queue; the next connection sends its first item.
    void droppedUploadSocket()
    {
        const QByteArray data = pattern(1201);
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD3}", data, "{param=Done}");
        QTRY_COMPARE(m_upload->received(), data.left(500));

        m_upload->dropClient();
        QTRY_VERIFY(!m_client->isUploadConnected());
        QTRY_VERIFY(m_rec->count("si_setDisableUiObject") >= 1);
        QCOMPARE(m_rec->entries().last().flag, false);
        QCOMPARE(m_client->uploadQueueSize(), 3);
        QVERIFY(m_client->isUploadBusy());

        m_upload->clearReceived();
        QVERIFY(openUpload());
        QTRY_COMPARE(m_upload->received(), data.mid(500, 500));
        QCOMPARE(m_client->uploadQueueSize(), 2);
    }

    void uploadWithoutConnection()
    {
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}");
        QCOMPARE(m_errors, QStringList{"NetWork Error|传输文件端口连接发生错误！"});
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QVERIFY(!m_client->isUploadBusy());
        m_client->getVersion();
        QTRY_COMPARE(m_control->received(), QByteArray("{param=version}"));
    }

    void openFailsWhenNothingListens()
    {
        m_upload->shutDown();
        m_client->openUploadSocket(true);
        QVERIFY(!m_client->isUploadConnected());
        QVERIFY(!m_client->isUploadOpen());
    }

    // The device's HTTP-style acknowledgement on the control link closes the upload link.
    void httpAcknowledgementClosesUpload()
    {
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD1}", QByteArray(), "{param=Done}");
        m_upload->send("go");
        QTRY_COMPARE(m_rec->count("si_osdUploadFinish"), 1);
        m_control->send("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK");
        QTRY_COMPARE(m_rec->count("si_requestCloseOsdSocket"), 1);
        QTRY_VERIFY(!m_client->isUploadOpen());
        QTRY_VERIFY(!m_upload->hasClient());
    }

    // With the control link down, sendDone brings it back where it lives, not on the upload port.
    void sendDoneReconnectsControlLink()
    {
        m_client->closeConnections();
        QTRY_VERIFY(!m_client->isConnected());
        const int before = m_control->connectionCount();
        m_client->sendDone();
        QTRY_COMPARE(m_control->connectionCount(), before + 1);
        QTRY_VERIFY(m_client->isConnected());
        QCOMPARE(m_upload->connectionCount(), 0);
        m_client->sendDone();
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Done}"));
    }

    void closeRetryClosesThreeTimes()
    {
        QVERIFY(openUpload());
        m_client->startUploadCloseRetry(true);
        QTRY_VERIFY(!m_client->isUploadOpen());
        QVERIFY(openUpload());
        QTRY_VERIFY_WITH_TIMEOUT(!m_client->isUploadOpen(), 3000);
        QVERIFY(openUpload());
        m_client->startUploadCloseRetry(false);
        QTest::qWait(1300);
        QVERIFY(m_client->isUploadOpen());
    }
};

QTEST_GUILESS_MAIN(TestUploadChannel)
#include "tst_uploadchannel.moc"
