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

    QStringList texts(const char *signal) const
    {
        QStringList values;
        for (const auto &e : m_rec->entries())
            if (e.name == QLatin1String(signal))
                values << e.text;
        return values;
    }
    QStringList progress() const { return texts("si_updateProgressVal"); }
    bool openUpload()
    {
        m_client->openUploadSocket(true);
        if (!m_client->isUploadConnected())
            return false;
        return QTest::qWaitFor([this] { return m_upload->hasClient(); });
    }
    // Two transfers asked for at once; the second waits until the device acknowledged the first.
    void queueTwo()
    {
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD1}", pattern(500), "{param=Done}", "one.bmp");
        m_client->uploadFile("{param=Upload_OSD2}", pattern(520), "{param=Done}", "two.bmp");
        QCOMPARE(m_client->uploadQueueSize(), 5);
        QTRY_COMPARE(m_upload->received(), pattern(500));
        m_upload->send("ok");
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"));
        QCOMPARE(m_client->uploadQueueSize(), 4);
        QCOMPARE(m_upload->received(), pattern(500));
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
        m_client->setUploadAnswerTimeout(30000);
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

    // Packets of 500 bytes, each after an answer; the end command after the answer to the last
    // (at once when there is no data); finished only on the acknowledgement, which also closes
    // the upload link.
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
        const int packets = (size + 499) / 500;
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Upload_OSD3}", data, "{param=Done}");
        QCOMPARE(m_client->uploadQueueSize(), packets);
        for (int sent = 1; sent <= packets; ++sent) {
            QTRY_COMPARE(m_upload->received(), data.left(sent * 500));
            QTRY_COMPARE(this->progress().size(), sent - 1);
            QCOMPARE(m_control->received(), QByteArray("{param=Upload_OSD3}"));
            m_upload->send("next");
        }
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD3}{param=Done}"));
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QVERIFY(m_client->isUploadBusy());
        QCOMPARE(m_rec->count("si_uploadFinished"), 0);

        m_upload->send(ack);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 1);
        QVERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(!m_client->isUploadOpen());
        QTRY_VERIFY(m_rec->count("si_setDisableUiObject") >= 1);
        QCOMPARE(m_errors, QStringList());
        QCOMPARE(this->progress(), progress);
        QCOMPARE(m_upload->received(), data);
    }

    // A peer that stalls, drops the link or refuses the end, or an operator who gives up: the
    // file is abandoned whole (the end command only ever follows the last answered packet),
    // the operator is told which file did not arrive, and the next upload arrives whole and
    // exactly once, with nothing of the old one in front of it.
    void hostilePeerThenNextUploadArrivesWhole_data()
    {
        QTest::addColumn<int>("answered");
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("reason");
        QTest::newRow("silent from the first packet") << 0 << "silence"
                                                      << "设备没有应答";
        QTest::newRow("silent mid-file") << 1 << "silence"
                                         << "设备没有应答";
        QTest::newRow("closes mid-file") << 1 << "drop"
                                         << "传输连接已断开";
        QTest::newRow("closes before acknowledging") << 4 << "drop"
                                                     << "传输连接已断开";
        QTest::newRow("never acknowledges") << 4 << "silence"
                                            << "设备没有确认文件";
        QTest::newRow("refuses the end") << 4 << "<ACK_0>\r\n"
                                         << "设备没有确认文件";
        QTest::newRow("abandoned by the operator") << 1 << "abandon" << QString();
    }
    void hostilePeerThenNextUploadArrivesWhole()
    {
        QFETCH(int, answered);
        QFETCH(QString, then);
        QFETCH(QString, reason);
        const QByteArray first = pattern(1548); // four packets, the last 48 bytes
        // A silent peer gets a short wait, counted from the last thing sent to it.
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
        const QByteArray firstCommands =
            answered == 4 ? "{param=Update_EDID1}{param=Done}" : "{param=Update_EDID1}";
        QTRY_COMPARE(m_control->received(), firstCommands);
        QTRY_COMPARE(m_upload->received(), first.left(answered * 500 + 500));

        if (then == QLatin1String("drop"))
            m_upload->dropClient();
        else if (then == QLatin1String("abandon"))
            m_client->abandonUpload();
        else if (!silent)
            m_upload->send(then.toLatin1());
        QTRY_VERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(!m_client->isUploadOpen());
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QCOMPARE(m_rec->count("si_uploadFinished"), 0);
        if (reason.isEmpty()) {
            QCOMPARE(m_errors, QStringList());
            QCOMPARE(texts("si_uploadFailed"), QStringList());
        } else {
            QCOMPARE(m_errors, QStringList{QStringLiteral("NetWork Error|文件“first.bin”未能传到"
                                                          "设备（%1），请重新上传。")
                                               .arg(reason)});
            QCOMPARE(texts("si_uploadFailed"), QStringList{"first.bin"});
        }
        m_client->setUploadAnswerTimeout(30000);

        const QByteArray second = pattern(1201).toUpper();
        m_upload->clearReceived();
        QVERIFY(openUpload());
        m_client->uploadFile("{param=Update_EDID2}", second, "{param=Done}", "second.bin");
        for (int n = 500; n < second.size() + 500; n += 500) {
            QTRY_COMPARE(m_upload->received(), second.left(n));
            m_upload->send("ok");
        }
        QTRY_COMPARE(m_control->received(),
                     firstCommands + QByteArray("{param=Update_EDID2}{param=Done}"));
        m_upload->send(ack);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 1);
        QCOMPARE(m_upload->received(), second);
        QCOMPARE(m_errors.size(), reason.isEmpty() ? 0 : 1);
        QCOMPARE(m_control->received(),
                 firstCommands + QByteArray("{param=Update_EDID2}{param=Done}"));
    }

    // A refused end fails the transfer waiting behind it too: neither is declared complete,
    // and the operator hears of both at once.
    void failedAcknowledgementFailsTheWaitingTransfer()
    {
        queueTwo();
        if (QTest::currentTestFailed())
            return;
        m_upload->send("<ACK_0>\r\n");
        QTRY_COMPARE(m_errors.size(), 1);
        QCOMPARE(m_errors.first(), QStringLiteral("NetWork Error|文件“one.bmp, two.bmp”未能传到设备"
                                                  "（设备没有确认文件），请重新上传。"));
        QCOMPARE(texts("si_uploadFailed"), (QStringList{"one.bmp", "two.bmp"}));
        QCOMPARE(m_client->uploadQueueSize(), 0);
        QVERIFY(!m_client->isUploadBusy());
        QTRY_VERIFY(!m_upload->hasClient());
        QCOMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"));
        QCOMPARE(m_upload->received(), pattern(500));
    }

    // The acknowledgement of the first lets the second go on the same link.
    void secondTransferWaitsForTheAcknowledgement()
    {
        queueTwo();
        if (QTest::currentTestFailed())
            return;
        m_upload->send(ack);
        QTRY_COMPARE(m_upload->received(), pattern(500) + pattern(500));
        QCOMPARE(m_rec->count("si_uploadFinished"), 1);
        m_upload->send("ok");
        QTRY_COMPARE(m_upload->received(), pattern(500) + pattern(520));
        m_upload->send("ok");
        QTRY_COMPARE(m_control->received(), QByteArray("{param=Upload_OSD1}{param=Done}"
                                                       "{param=Upload_OSD2}{param=Done}"));
        QVERIFY(m_client->isUploadOpen());
        m_upload->send(ack);
        QTRY_COMPARE(m_rec->count("si_uploadFinished"), 2);
        QTRY_VERIFY(!m_client->isUploadOpen());
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
        QCOMPARE(m_control->received(), QByteArray());
    }

    // Without the control link the start command cannot go, so no packet goes either.
    void controlLinkDownRefusesTheUpload()
    {
        QVERIFY(openUpload());
        m_control->shutDown();
        QTRY_VERIFY(!m_client->isConnected());
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}", "logo.png");
        QCOMPARE(texts("si_uploadFailed"), QStringList{"logo.png"});
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors.first().contains(QStringLiteral("与设备的控制连接已断开")));
        QVERIFY(!m_client->isUploadBusy());
        QTest::qWait(100);
        QCOMPARE(m_upload->received(), QByteArray());
    }

    void uploadWithoutConnection()
    {
        m_client->uploadFile("{param=Upload_OSD3}", pattern(10), "{param=Done}");
        QCOMPARE(m_errors, QStringList{"NetWork Error|传输文件端口连接发生错误！"});
        QCOMPARE(texts("si_uploadFailed"), QStringList{"{param=Upload_OSD3}"});
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

    // The device's HTTP-style acknowledgement on the control link ends the transfer as well as
    // the one on the upload link does; before the end command it means nothing to the upload.
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
