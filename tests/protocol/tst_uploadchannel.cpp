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

QString failure(const QString &files, const QString &reason)
{
    return QStringLiteral("NetWork Error|文件“%1”未能传到设备（%2），请重新上传。")
        .arg(files, reason);
}
} // namespace

class TestUploadChannel : public QObject
{
    Q_OBJECT

    std::unique_ptr<LoopbackPeer> m_control, m_upload;
    std::unique_ptr<MessageDistance> m_client;
    std::unique_ptr<ReportRecorder> m_rec;
    QStringList m_errors;

    bool openUpload()
    {
        m_client->openUploadSocket(true);
        return m_client->isUploadConnected() &&
               QTest::qWaitFor([this] { return m_upload->hasClient(); });
    }
    // Waits for each packet of 500 of `data` and answers it.
    void answerPackets(const QByteArray &data, const QByteArray &before = QByteArray())
    {
        for (int n = 500; n < data.size() + 500; n += 500) {
            QTRY_COMPARE(m_upload->received(), before + data.left(n));
            m_upload->send("ok");
        }
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
        QTest::newRow("silent") << 0 << "silence"
                                << "设备没有应答" << 1201 << QStringList{"2", "1"};
        QTest::newRow("closes mid-file") << 1 << "drop"
                                         << "传输连接已断开" << 0 << QStringList();
        QTest::newRow("never acknowledges") << 4 << "silence"
                                            << "设备没有确认文件" << 500 << QStringList();
        QTest::newRow("refuses the end") << 4 << "<ACK_0>\r\n"
                                         << "设备没有确认文件" << 501 << QStringList{"1"};
        QTest::newRow("control link lost before the end")
            << 3 << "control"
            << "与设备的控制连接已断开" << 1500 << QStringList{"2", "1"};
        QTest::newRow("abandoned by the operator")
            << 1 << "abandon" << QString() << 1 << QStringList();
    }
    void hostilePeerThenNextUploadArrivesWhole()
    {
        QFETCH(int, answered);
        QFETCH(QString, then);
        QFETCH(QString, reason);
        QFETCH(int, size);
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
        const QStringList named = reason.isEmpty() ? QStringList() : QStringList{"first.bin"};
        QCOMPARE(m_errors,
                 reason.isEmpty() ? QStringList() : QStringList{failure("first.bin", reason)});
        QCOMPARE(m_rec->args("si_uploadFailed"), named);
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
            QCOMPARE(m_control->received(), commands + "{param=Update_EDID2}");
            m_upload->send("ok");
        }
        QTRY_COMPARE(m_control->received(), commands + "{param=Update_EDID2}{param=Done}");
        QVERIFY(m_client->isUploadBusy());
        m_upload->send(ack);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 1);
        QVERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(!m_client->isUploadOpen());
        // The window's controls come back once the link is closed.
        QCOMPARE(
            m_rec->args("si_setDisableUiObject").value(-1 + m_rec->count("si_setDisableUiObject")),
            QStringLiteral("false"));
        QTEST(m_rec->args("si_updateProgressVal"), "progress");
        QCOMPARE(m_upload->received(), data);
    }

    // A second transfer waits for the first one's acknowledgement; a refused end fails it and
    // every one queued behind it.
    void queuedTransfers()
    {
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD1}", pattern(500), "{param=Done}", "one.bmp");
        m_client->uploadFile("{param=Upload_OSD2}", pattern(520), "{param=Done}", "two.bmp");
        QCOMPARE(m_client->uploadQueueSize(), 5);
        answerPackets(pattern(500));
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"));
        QCOMPARE(m_client->uploadQueueSize(), 4);
        m_upload->send(ack);
        answerPackets(pattern(520), pattern(500));
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"
                                                       "{param=Upload_OSD2}{param=Done}"));
        m_client->uploadFile("{param=Upload_OSD3}", pattern(5), "{param=Done}", "three.bmp");
        QVERIFY(m_client->isUploadOpen());
        m_upload->send("<ACK_0>\r\n");
        QTRY_COMPARE(m_errors, QStringList{failure("two.bmp, three.bmp", "设备没有确认文件")});
        QCOMPARE(m_rec->args("si_uploadFailed"), (QStringList{"two.bmp", "three.bmp"}));
        QCOMPARE(m_rec->count("si_uploadFinished"), 1);
        QTRY_VERIFY(!m_upload->hasClient());
        QCOMPARE(m_upload->received(), pattern(500) + pattern(520));
    }

    // The HTTP acknowledgement on the control link ends a transfer, but only after its end command.
    void httpAcknowledgement()
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
        QTRY_VERIFY(!m_upload->hasClient());
        QCOMPARE(m_errors, QStringList());
    }

    void closingTheLinksClosesBoth()
    {
        QVERIFY(openUpload());
        m_client->closeConnections();
        QTRY_VERIFY(!m_upload->hasClient() && !m_control->hasClient());
    }

    // After a dialog goes the upload link is closed three times over; a dialog that opens stops
    // that before it opens its own.
    void closeRetry()
    {
        m_client->setCloseRetryInterval(20);
        QVERIFY(openUpload());
        m_client->startUploadCloseRetry(true);
        int closes = 0;
        for (; QTest::qWaitFor([this] { return !m_client->isUploadOpen(); }, 300); ++closes)
            QVERIFY(openUpload());
        QCOMPARE(closes, 3);
        m_client->startUploadCloseRetry(true);
        m_client->startUploadCloseRetry(false);
        QVERIFY(!QTest::qWaitFor([this] { return !m_client->isUploadOpen(); }, 300));
    }

    // Without either link nothing is queued and the operator is told.
    void uploadRefusedWithoutLinks()
    {
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}");
        QCOMPARE(m_errors, QStringList{"NetWork Error|传输文件端口连接发生错误！"});
        QVERIFY(openUpload());
        m_control->shutDown();
        QTRY_VERIFY(!m_client->isConnected());
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}", "logo.png");
        QCOMPARE(m_rec->args("si_uploadFailed"), (QStringList{"{param=Upload_OSD3}", "logo.png"}));
        QCOMPARE(m_errors.last(), failure("logo.png", "与设备的控制连接已断开"));
        QVERIFY(!m_client->isUploadBusy());
    }
};

QTEST_GUILESS_MAIN(TestUploadChannel)
#include "tst_uploadchannel.moc"
