#include "dialogfixture.h"
#include "modalwatcher.h"

#include "dialogs/edidsettingdilog.h"
#include "dialogs/uploaderrordialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

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

    void fileUpload_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("packets");
        QTest::newRow("500 bytes, one packet") << 500 << 1;
        QTest::newRow("1201 bytes, three packets") << 1201 << 3;
    }

    void fileUpload()
    {
        QFETCH(int, size);
        QFETCH(int, packets);
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + 3);
        EdidSettingDilog dialog(4);
        child<QLineEdit>(&dialog, "le_edidPath")
            ->setText(writeFile(m_fixture.workDir() + "/edid.bin", bytes));
        child<QPushButton>(&dialog, "UploadBtn")->click();
        // The end command goes out only after the device answered the last packet.
        QCOMPARE(m_fixture.waitForCommands(2),
                 (QStringList{"{param=Update_EDID4}", "{param=Done}"}));
        QCOMPARE(m_fixture.peer().uploaded(), bytes);
        QCOMPARE(m_fixture.peer().packets(), packets);
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
