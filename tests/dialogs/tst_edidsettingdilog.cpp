#include "dialogfixture.h"
#include "modalwatcher.h"

#include "dialogs/edidsettingdilog.h"
#include "dialogs/uploaderrordialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>

namespace {
QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}
} // namespace

class TestEdidSettingDilog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_fixture.start()); }
    void cleanupTestCase() { m_fixture.stop(); }
    void init() { m_fixture.reset(); }

    // The first and last entries of both lists, so that an index off by one shows.
    void builtInAndCopy_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("builtIn");
        QTest::addColumn<int>("copyIndex");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("recommended entry, copy first output")
            << 5 << 4 << 0 << QStringList{"{param=EDID_Sel5/4}", "{param=Copy_EDID5/1}"};
        QTest::newRow("first entry, copy last output")
            << 9 << 0 << 8 << QStringList{"{param=EDID_Sel9/0}", "{param=Copy_EDID9/9}"};
    }

    void builtInAndCopy()
    {
        QFETCH(int, input);
        QFETCH(int, builtIn);
        QFETCH(int, copyIndex);
        QFETCH(QStringList, sent);
        EdidSettingDilog dialog(input);
        auto *builtins = child<QComboBox>(&dialog, "cbb_builtinEdid");
        QCOMPARE(builtins->count(), 5);
        QCOMPARE(builtins->itemText(3), QStringLiteral("1080P@60/DVI"));
        builtins->setCurrentIndex(builtIn);
        child<QPushButton>(&dialog, "btnAppInputEDID")->click();
        child<QComboBox>(&dialog, "cbb_copyOutput")->setCurrentIndex(copyIndex);
        child<QPushButton>(&dialog, "btnCopyEDID")->click();
        QCOMPARE(m_fixture.settledCommands(), sent);
    }

    // Progress as the device answers, the finished notice only on its acknowledgement.
    void fileUpload_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("packets");
        QTest::addColumn<QList<int>>("progress");
        QTest::newRow("500 bytes, one packet") << 500 << 1 << QList<int>{100, 0};
        QTest::newRow("1201 bytes, three packets") << 1201 << 3 << QList<int>{16, 58, 100, 0};
    }

    void fileUpload()
    {
        QFETCH(int, size);
        QFETCH(int, packets);
        QFETCH(QList<int>, progress);
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + 3);
        EdidSettingDilog dialog(4);
        child<QLineEdit>(&dialog, "le_edidPath")
            ->setText(writeFile(m_fixture.workDir() + "/edid.bin", bytes));
        QList<int> values;
        connect(child<QProgressBar>(&dialog, "progressBar"), &QProgressBar::valueChanged, this,
                [&values](int v) { values << v; });
        auto *upload = child<QPushButton>(&dialog, "UploadBtn");
        ModalWatcher notices;
        upload->click();
        QVERIFY(!upload->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 10000);
        QCOMPARE(notices.seen().first().text, QStringLiteral("Uploading Finished"));
        QCOMPARE(m_fixture.settledCommands(),
                 (QStringList{"{param=Update_EDID4}", "{param=Done}"}));
        QCOMPARE(m_fixture.peer().uploaded(), bytes);
        QCOMPARE(m_fixture.peer().packets(), packets);
        QTRY_COMPARE(values, progress);
        QVERIFY(upload->isEnabled());
    }

    // Closing while the file is uploading asks; declining keeps the upload going, agreeing
    // abandons it without telling the device that the file is complete.
    void closingMidUploadAsksThenAbandons()
    {
        QTcpServer silent; // takes the upload link and never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        MessageDistance *client = MessageDistance::instance();
        client->setUploadPort(silent.serverPort());
        EdidSettingDilog dialog(4);
        dialog.show();
        child<QLineEdit>(&dialog, "le_edidPath")
            ->setText(writeFile(m_fixture.workDir() + "/edid.bin", QByteArray(1201, 'e')));
        child<QPushButton>(&dialog, "UploadBtn")->click();
        QVERIFY(client->isUploadBusy());
        {
            ModalWatcher declined;
            child<QPushButton>(&dialog, "btnClose")->click();
            QCOMPARE(declined.count(), 1);
            QCOMPARE(declined.seen().first().className, QStringLiteral("DialogConfirm"));
            QCOMPARE(declined.seen().first().text,
                     QStringLiteral("文件还在上传中，停止上传并关闭吗？"));
        }
        QVERIFY(dialog.isVisible());
        QVERIFY(client->isUploadBusy());
        {
            ModalWatcher agreed([](QDialog *d) { d->accept(); });
            child<QPushButton>(&dialog, "btnClose")->click();
            QCOMPARE(agreed.count(), 1);
        }
        QVERIFY(!dialog.isVisible());
        QVERIFY(!client->isUploadBusy());
        QVERIFY(!client->isUploadOpen());
        QCOMPARE(m_fixture.settledCommands(), QStringList{"{param=Update_EDID4}"});
    }

    void uploadRefusals_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("message");
        QTest::newRow("no path") << QString() << true << QString();
        QTest::newRow("missing file") << "missing.bin" << true << QString();
        QTest::newRow("empty file") << "empty.bin" << true << "File is empty";
        QTest::newRow("port closed") << "edid.bin" << false << "传输文件端口连接发生错误！";
    }

    void uploadRefusals()
    {
        QFETCH(QString, file);
        QFETCH(bool, reachable);
        QFETCH(QString, message);
        writeFile(m_fixture.workDir() + "/empty.bin", QByteArray());
        writeFile(m_fixture.workDir() + "/edid.bin", QByteArray(128, 'e'));
        if (!reachable)
            MessageDistance::instance()->setUploadPort(DialogFixture::closedPort());
        EdidSettingDilog dialog(1);
        if (!file.isEmpty())
            child<QLineEdit>(&dialog, "le_edidPath")->setText(m_fixture.workDir() + "/" + file);
        ModalWatcher watcher;
        child<QPushButton>(&dialog, "UploadBtn")->click();
        QCOMPARE(watcher.count(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(watcher.seen().first().text, message);
        QCOMPARE(m_fixture.settledCommands(), QStringList());
        QCOMPARE(m_fixture.peer().uploaded(), QByteArray());
    }

    // The channel's own failures reach the operator once its handler has finished.
    void channelFailuresBecomeMessageDialogs()
    {
        installUploadErrorDialogs();
        MessageDistance *client = MessageDistance::instance();
        client->openUploadSocket(false);
        ModalWatcher watcher;
        client->uploadFile(QStringLiteral("{param=Update_EDID1}"), QByteArray(10, 'x'),
                           QStringLiteral("{param=Done}"));
        QCOMPARE(watcher.count(), 0);
        QTRY_COMPARE(watcher.count(), 1);
        QCOMPARE(watcher.seen().first().className, QStringLiteral("MsgDlg"));
        QCOMPARE(watcher.seen().first().title, QStringLiteral("NetWork Error"));
        QCOMPARE(client->uploadQueueSize(), 0);
        QCOMPARE(m_fixture.settledCommands(), QStringList());
        client->setErrorReporter({});
    }

private:
    DialogFixture m_fixture;
};

QTEST_MAIN(TestEdidSettingDilog)
#include "tst_edidsettingdilog.moc"
