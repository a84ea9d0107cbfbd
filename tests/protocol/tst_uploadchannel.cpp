// Uploads over a second loopback connection standing in for the device's upload port.
#include "loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "reportrecorder.h"

#include <QtTest>

#include <memory>

namespace {
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

    std::unique_ptr<LoopbackPeer> m_control, m_upload;
    std::unique_ptr<MessageDistance> m_client;
    std::unique_ptr<ReportRecorder> m_rec;
    QStringList m_errors;

    QStringList texts(const char *signal) const
    {
        QStringList values;
        for (const auto &e : m_rec->entries())
            if (e.name == QLatin1String(signal))
                values << e.text;
        return values;
    }
    bool openUpload()
    {
        m_client->openUploadSocket(true);
        return m_client->isUploadConnected() &&
               QTest::qWaitFor([this] { return m_upload->hasClient(); });
    }
    // Sends `data` in packets of 500, answering each.
    void answerPackets(const QByteArray &data, const QByteArray &before = QByteArray())
    {
        for (int n = 500; n < data.size() + 500; n += 500) {
            QTRY_COMPARE(m_upload->received(), before + data.left(n));
            m_upload->send("ok");
        }
    }
    QString failure(const QString &files, const QString &reason) const
    {
        return QStringLiteral("NetWork Error|文件“%1”未能传到设备（%2），请重新上传。")
            .arg(files, reason);
    }

private slots:
    void init()
    {
        m_control = std::make_unique<LoopbackPeer>();
        m_upload = std::make_unique<LoopbackPeer>();
        m_client = std::make_unique<MessageDistance>();
        m_rec = std::make_unique<ReportRecorder>(m_client.get());
        m_errors.clear();
        m_client->setErrorReporter(
            [this](const QString &title, const QString &text) { m_errors << title + '|' + text; });
        m_client->setUploadPort(m_upload->port());
        m_client->setUploadAnswerTimeout(30000);
        m_client->connectToDevice(QStringLiteral("127.0.0.1"), m_control->port());
        QTRY_VERIFY(m_client->isConnected() && m_control->hasClient());
    }
    void cleanup()
    {
        m_rec.reset();
        m_client.reset();
        m_upload.reset();
        m_control.reset();
    }

    // A failed file is abandoned whole and named; the next goes in packets of 500, each after an
    // answer, and is finished only on the acknowledgement, which closes the upload link.
    void hostilePeerThenNextUploadArrivesWhole_data()
    {
        QTest::addColumn<int>("answered");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("progress");
        const QStringList none;
        QTest::newRow("silent from the first packet")
            << 0 << "silence"
            << "设备没有应答" << 1201 << QStringList{"2", "1"};
        QTest::newRow("silent mid-file") << 1 << "silence"
                                         << "设备没有应答" << 500 << none;
        QTest::newRow("closes mid-file") << 1 << "drop"
                                         << "传输连接已断开" << 0 << none;
        QTest::newRow("closes before acknowledging")
            << 4 << "drop"
            << "传输连接已断开" << 1000 << QStringList{"1"};
        QTest::newRow("never acknowledges") << 4 << "silence"
                                            << "设备没有确认文件" << 0 << none;
        QTest::newRow("refuses the end") << 4 << "<ACK_0>\r\n"
                                         << "设备没有确认文件" << 501 << QStringList{"1"};
        QTest::newRow("acknowledgement after a zero byte")
            << 4 << QString::fromLatin1("\0<ACK_1>\r\n", 10) << "设备没有确认文件" << 2 << none;
        QTest::newRow("control link lost before the end")
            << 3 << "control"
            << "与设备的控制连接已断开" << 1500 << QStringList{"2", "1"};
        QTest::newRow("abandoned by the operator") << 1 << "abandon" << QString() << 1 << none;
    }
    void hostilePeerThenNextUploadArrivesWhole()
    {
        QFETCH(int, answered);
        QFETCH(QString, then);
        QFETCH(QString, reason);
        QFETCH(int, size);
        QFETCH(QStringList, progress);
        const QByteArray first = pattern(1548); // four packets, the last 48 bytes
        const bool silent = then == QLatin1String("silence");
        if (silent && answered == 0)
            m_client->setUploadAnswerTimeout(200);
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Update_EDID1}", first, "{param=Done}", "first.bin");
        for (int n = 1; n <= answered; ++n) {
            QTRY_COMPARE(m_upload->received(), first.left(n * 500));
            if (silent && n == answered)
                m_client->setUploadAnswerTimeout(200);
            m_upload->send("ok");
        }
        const QByteArray commands =
            answered == 4 ? "{param=Update_EDID1}{param=Done}" : "{param=Update_EDID1}";
        QTRY_COMPARE(m_control->received(), commands);
        QTRY_COMPARE(m_upload->received(), first.left(answered * 500 + 500));
        if (then == QLatin1String("drop")) {
            m_upload->dropClient();
        } else if (then == QLatin1String("abandon")) {
            m_client->abandonUpload();
        } else if (then == QLatin1String("control")) {
            m_control->dropClient();
            QTRY_VERIFY(!m_client->isConnected());
            m_upload->send("ok"); // the end command finds no control link
        } else if (!silent) {
            m_upload->send(then.toLatin1());
        }
        QTRY_VERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(!m_client->isUploadOpen());
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QCOMPARE(m_errors,
                 reason.isEmpty() ? QStringList() : QStringList{failure("first.bin", reason)});
        QCOMPARE(texts("si_uploadFailed"),
                 reason.isEmpty() ? QStringList() : QStringList{"first.bin"});
        m_client->setUploadAnswerTimeout(30000);
        QTRY_VERIFY_WITH_TIMEOUT(m_client->isConnected() && m_control->hasClient(), 5000);
        m_upload->clearReceived();
        m_rec->clear();

        const QByteArray data = pattern(size).toUpper();
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Update_EDID2}", data, "{param=Done}", "second.bin");
        QCOMPARE(m_client->uploadQueueSize(), (size + 499) / 500);
        for (int sent = 500; sent < size + 500; sent += 500) {
            QTRY_COMPARE(m_upload->received(), data.left(sent));
            QTRY_COMPARE(texts("si_updateProgressVal").size(), sent / 500 - 1);
            QCOMPARE(m_control->received(), commands + "{param=Update_EDID2}");
            m_upload->send("ok");
        }
        QTRY_COMPARE(m_control->received(), commands + "{param=Update_EDID2}{param=Done}");
        QVERIFY(m_client->isUploadBusy());
        QCOMPARE(m_rec->count("si_uploadFinished"), 0);
        m_upload->send(ack);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 1);
        QVERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(!m_client->isUploadOpen());
        QVERIFY(m_rec->count("si_setDisableUiObject") >= 1);
        QCOMPARE(texts("si_updateProgressVal"), progress);
        QCOMPARE(m_upload->received(), data);
        QCOMPARE(m_errors.size(), reason.isEmpty() ? 0 : 1);
        QCOMPARE(m_control->received(), commands + "{param=Update_EDID2}{param=Done}");
    }

    // The second transfer waits for the first one's acknowledgement; a refused end fails both.
    void secondTransferWaitsForTheAcknowledgement_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("acknowledged") << false;
        QTest::newRow("refused") << true;
    }
    void secondTransferWaitsForTheAcknowledgement()
    {
        QFETCH(bool, refused);
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD1}", pattern(500), "{param=Done}", "one.bmp");
        m_client->uploadFile("{param=Upload_OSD2}", pattern(520), "{param=Done}", "two.bmp");
        QCOMPARE(m_client->uploadQueueSize(), 5);
        answerPackets(pattern(500));
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"));
        QCOMPARE(m_client->uploadQueueSize(), 4);
        QCOMPARE(m_upload->received(), pattern(500));
        if (refused) {
            m_upload->send("<ACK_0>\r\n");
            QTRY_COMPARE(m_errors, QStringList{failure("one.bmp, two.bmp", "设备没有确认文件")});
            QCOMPARE(texts("si_uploadFailed"), (QStringList{"one.bmp", "two.bmp"}));
            QCOMPARE(m_client->uploadQueueSize(), 0);
            QVERIFY(!m_client->isUploadBusy());
            QTRY_VERIFY(!m_upload->hasClient());
            QCOMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"));
            QCOMPARE(m_upload->received(), pattern(500));
            return;
        }
        m_upload->send(ack);
        answerPackets(pattern(520), pattern(500));
        QCOMPARE(m_rec->count("si_uploadFinished"), 1);
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"
                                                       "{param=Upload_OSD2}{param=Done}"));
        QVERIFY(m_client->isUploadOpen());
        m_upload->send(ack);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 2);
        QTRY_VERIFY(!m_client->isUploadOpen());
        QCOMPARE(m_errors, QStringList());
    }

    // Before the end command, any answer is the go-ahead.
    void answerWithoutEndCommandIsGoAhead()
    {
        QVERIFY(openUpload());
        m_client->uploadFile(QString(), pattern(700), QString());
        QTRY_COMPARE(m_upload->received(), pattern(500));
        m_upload->send("<ACK_0>");
        QTRY_COMPARE(m_upload->received(), pattern(700));
        m_upload->send("fine");
        QTRY_VERIFY(!m_client->isUploadBusy());
        QCOMPARE(m_errors, QStringList());
        QCOMPARE(m_control->received(), QByteArray());
    }

    // Without either link nothing is queued and the operator is told.
    void uploadRefusedWithoutLinks()
    {
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}");
        QCOMPARE(m_errors, QStringList{"NetWork Error|传输文件端口连接发生错误！"});
        QCOMPARE(texts("si_uploadFailed"), QStringList{"{param=Upload_OSD3}"});
        QCOMPARE(m_client->uploadQueueSize(), 0);
        m_client->getVersion();
        QTRY_COMPARE(m_control->received(), QByteArray("{param=version}"));

        QVERIFY(openUpload());
        m_control->shutDown();
        QTRY_VERIFY(!m_client->isConnected());
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}", "logo.png");
        QCOMPARE(texts("si_uploadFailed"), (QStringList{"{param=Upload_OSD3}", "logo.png"}));
        QCOMPARE(m_errors.size(), 2);
        QVERIFY(m_errors.last().contains(QStringLiteral("与设备的控制连接已断开")));
        QVERIFY(!m_client->isUploadBusy());
        QCOMPARE(m_client->uploadQueueSize(), 0);

        m_client->openUploadSocket(false);
        QTRY_VERIFY(!m_client->isUploadOpen());
        m_upload->shutDown();
        m_client->openUploadSocket(true);
        QVERIFY(!m_client->isUploadConnected());
        QVERIFY(!m_client->isUploadOpen());
        QCOMPARE(m_upload->received(), QByteArray());
    }

    // The HTTP acknowledgement on the control link ends the transfer, but only after the end.
    void httpAcknowledgementEndsTheTransfer()
    {
        const QByteArray http = "HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK";
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD1}", pattern(10), "{param=Done}");
        QTRY_COMPARE(m_upload->received(), pattern(10));
        m_control->send(http);
        QTRY_COMPARE(m_rec->count("si_requestCloseOsdSocket"), 1);
        QVERIFY(m_client->isUploadBusy());
        m_upload->send("ok");
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"));
        m_control->send(http);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 1);
        QTRY_VERIFY(!m_client->isUploadOpen());
        QTRY_VERIFY(!m_upload->hasClient());
        QCOMPARE(m_errors, QStringList());
    }

    // sendDone reconnects the control link; the upload link is closed each second until stopped.
    void sendDoneAndCloseRetry()
    {
        m_client->closeConnections();
        QTRY_VERIFY(!m_client->isConnected());
        m_client->sendDone();
        QTRY_COMPARE(m_control->connectionCount(), 2);
        QTRY_VERIFY(m_client->isConnected());
        QCOMPARE(m_upload->connectionCount(), 0);
        m_client->sendDone();
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Done}"));

        QVERIFY(openUpload());
        m_client->startUploadCloseRetry(true);
        m_client->startUploadCloseRetry(false);
        QTest::qWait(1300); // past the close that must not come
        QVERIFY(m_client->isUploadOpen());
        m_client->startUploadCloseRetry(true);
        for (int close = 0; close < 3; ++close) {
            QTRY_VERIFY_WITH_TIMEOUT(!m_client->isUploadOpen(), 3000);
            QVERIFY(openUpload());
        }
        QTest::qWait(1300); // three closes, then no more
        QVERIFY(m_client->isUploadOpen());
    }
};

QTEST_GUILESS_MAIN(TestUploadChannel)
#include "tst_uploadchannel.moc"
