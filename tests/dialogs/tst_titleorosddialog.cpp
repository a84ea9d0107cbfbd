#include "dialogfixture.h"
#include "modalwatcher.h"

#include "app/startup.h"
#include "dialogs/captionbitmap.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/uploaderrordialogs.h"
#include "storage/captionstore.h"
#include "uikit/switchcontrol.h"

#include <QBuffer>
#include <QComboBox>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTcpServer>
#include <QToolButton>

namespace {
// A valid bitmap padded with zero bytes to exactly size bytes; an empty file for 0.
void writeBitmap(const QString &path, int size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image(16, 16, QImage::Format_Mono);
    image.fill(0);
    image.save(&buffer, "bmp");
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.left(size));
}
} // namespace

class TestTitleOrOsdDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        configureApplication();
        QVERIFY(m_fixture.start());
        m_store.reset(new CaptionStore);
    }
    void cleanupTestCase() { m_fixture.stop(); }
    void init() { m_fixture.reset(); }

    void eachControlSendsItsCommand_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("erase");
        QTest::newRow("caption") << -1 << "{param=EraseSubtitle}";
        QTest::newRow("osd") << 2 << "{param=EraseOSD}";
    }

    void eachControlSendsItsCommand()
    {
        QFETCH(int, port);
        QFETCH(QString, erase);
        TitleOrOsdDialog dialog(nullptr, port);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *show = child<SwitchControl>(&dialog, "IsShowCheck");
        QTest::mouseClick(show, Qt::LeftButton);
        QTest::mouseClick(show, Qt::LeftButton);
        QTest::mouseClick(child<SwitchControl>(&dialog, "BgColorSwitch"), Qt::LeftButton);

        auto *speed = child<QSlider>(&dialog, "speedSplider");
        speed->setValue(40);
        QTest::mouseClick(speed, Qt::LeftButton, {},
                          QPoint(speed->width() - 2, speed->height() / 2));
        const int speedSent = speed->value();
        QCOMPARE(child<QLabel>(&dialog, "lb_speedValue")->text(), QString::number(speedSent));

        child<QPushButton>(&dialog, "RightBtn")->click();
        child<QPushButton>(&dialog, "RightBtn")->click(); // already chosen: nothing
        child<QPushButton>(&dialog, "LeftBtn")->click();

        // An emptied field counts as 0.
        auto *x = child<QLineEdit>(&dialog, "PosXEdit");
        auto *y = child<QLineEdit>(&dialog, "PosYEdit");
        y->setFocus();
        QTest::keyClick(y, Qt::Key_Backspace);
        x->setFocus();
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("12"));
        QTest::keyClick(x, Qt::Key_Return);
        QVERIFY(dialog.isVisible()); // Return does not end the dialog

        // Font and background colours chosen, then a cancelled chooser that changes nothing.
        using Pick = QPair<QString, QColor>;
        for (const Pick &pick :
             {Pick("ColorSetting", QColor(1, 2, 3)), Pick("BgColorSetting", QColor(250, 251, 252)),
              Pick("ColorSetting", QColor())}) {
            ModalWatcher watcher(pick.second.isValid() ? ModalWatcher::chooseColour(pick.second)
                                                       : ModalWatcher::Handler());
            child<QToolButton>(&dialog, pick.first)->click();
            QCOMPARE(watcher.count(), 1);
        }
        QCOMPARE(dialog.fontColor(), QColor(1, 2, 3));
        QCOMPARE(dialog.backgroundColor(), QColor(250, 251, 252));
        QCOMPARE(child<QToolButton>(&dialog, "ColorSetting")->styleSheet(),
                 QStringLiteral("QToolButton{background-color:rgb(1,2,3)}"));
        child<QPushButton>(&dialog, "EraseBtn")->click();

        QCOMPARE(m_fixture.settledCommands(),
                 (QStringList{"{param=Open}", "{param=Close}", "{param=Bg_Open}",
                              QStringLiteral("{param=Speed%1}").arg(speedSent), "{param=Right}",
                              "{param=Left}", "{param=POS12/0}", "{param=Font_Color1/2/3}",
                              "{param=Bg_Color250/251/252}", erase}));
    }

    void deviceSettingsAreShownWithoutEcho()
    {
        TitleOrOsdDialog dialog(nullptr, 4);
        dialog.show();
        const QJsonObject report{{"Switch", "true"},       {"Speed", 9},
                                 {"Color", "10,20,30"},    {"Position_x", 100},
                                 {"Position_y", 50},       {"Bg_switch", "true"},
                                 {"Bg_Color", "40,50,60"}, {"Move_dir", "right"}};
        emit MessageDistance::instance()->receiveTitleImfSig(report);
        QVERIFY(child<SwitchControl>(&dialog, "IsShowCheck")->isToggled());
        QVERIFY(child<SwitchControl>(&dialog, "BgColorSwitch")->isToggled());
        QCOMPARE(child<QSlider>(&dialog, "speedSplider")->value(), 9);
        QCOMPARE(child<QLabel>(&dialog, "lb_speedValue")->text(), QStringLiteral("9"));
        QCOMPARE(child<QLineEdit>(&dialog, "PosXEdit")->text(), QStringLiteral("100"));
        QCOMPARE(child<QLineEdit>(&dialog, "PosYEdit")->text(), QStringLiteral("50"));
        QVERIFY(child<QPushButton>(&dialog, "RightBtn")->isChecked());
        QCOMPARE(child<QToolButton>(&dialog, "ColorSetting")->styleSheet(),
                 QStringLiteral("background:rgb(10,20,30)"));
        QCOMPARE(child<QToolButton>(&dialog, "BgColorSetting")->styleSheet(),
                 QStringLiteral("background:rgb(40,50,60)"));
        QCOMPARE(dialog.fontColor(), QColor(10, 20, 30));
        QCOMPARE(dialog.backgroundColor(), QColor(40, 50, 60));

        // An unknown direction leaves the buttons alone; missing keys take the defaults.
        emit MessageDistance::instance()->receiveTitleImfSig(QJsonObject{{"Move_dir", "up"}});
        QVERIFY(child<QPushButton>(&dialog, "RightBtn")->isChecked());
        QVERIFY(!child<SwitchControl>(&dialog, "IsShowCheck")->isToggled());
        QCOMPARE(dialog.fontColor(), QColor(255, 255, 255));
        QCOMPARE(m_fixture.settledCommands(), QStringList());
    }

    void storedTextIsLoadedAndSaved()
    {
        QVERIFY(m_store->saveCaption(6, "it's \"quoted\"", "NoSuchFamily", 42, true, false, true));
        {
            TitleOrOsdDialog dialog(m_store.get(), 6);
            QCOMPARE(child<QLineEdit>(&dialog, "TextEdit")->text(),
                     QStringLiteral("it's \"quoted\""));
            QCOMPARE(child<QComboBox>(&dialog, "FontSizeCombo")->currentText(),
                     QStringLiteral("42"));
            QVERIFY(child<QToolButton>(&dialog, "BoldBtn")->isChecked());
            QVERIFY(!child<QToolButton>(&dialog, "ItalicBtn")->isChecked());
            QVERIFY(child<QToolButton>(&dialog, "UnderlineBtn")->isChecked());
        }
        // Another port keeps the defaults.
        TitleOrOsdDialog other(m_store.get(), 7);
        QVERIFY(child<QLineEdit>(&other, "TextEdit")->text().isEmpty());
        QCOMPARE(child<QComboBox>(&other, "FontSizeCombo")->currentText(), QStringLiteral("35"));

        child<QLineEdit>(&other, "TextEdit")->setText(QStringLiteral("Hi"));
        child<QComboBox>(&other, "FontSizeCombo")->setCurrentText(QStringLiteral("20"));
        child<QToolButton>(&other, "ItalicBtn")->setChecked(true);
        ModalWatcher notices;
        child<QPushButton>(&other, "uploadCharBtn")->click();
        const CaptionRecord saved = m_store->loadCaptions().value(7);
        QCOMPARE(saved.content, QStringLiteral("Hi"));
        QCOMPARE(saved.fontSize, 20);
        QVERIFY(saved.isItalic && !saved.isBold && !saved.isUnderline);
        QVERIFY(QFile::exists(CaptionBitmap::textBitmapPath()));
        QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 10000); // the finished notice
    }

    // The hint stays muted though the form's sheet colours the field's text, focused or not.
    // Nothing to show is refused with a word, not uploaded as an empty bitmap, nor kept.
    void textField()
    {
        TitleOrOsdDialog dialog(m_store.get(), 8);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *field = child<QLineEdit>(&dialog, "TextEdit");
        const QColor muted = QApplication::palette().color(QPalette::PlaceholderText);
        QVERIFY(muted != field->palette().color(QPalette::Text));
        QCOMPARE(field->palette().color(QPalette::PlaceholderText), muted);
        QApplication::setActiveWindow(&dialog);
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->palette().color(QPalette::PlaceholderText), muted);

        for (const QString &text : {QString(), QStringLiteral("   ")}) {
            field->setText(text);
            ModalWatcher watcher;
            child<QPushButton>(&dialog, "uploadCharBtn")->click();
            QCOMPARE(watcher.count(), 1);
            QCOMPARE(watcher.seen().first().text,
                     QStringLiteral("Enter the text to show before uploading it."));
        }
        QVERIFY(!m_store->loadCaptions().contains(8));
        QCOMPARE(m_fixture.settledCommands(), QStringList());
    }

    // Accepted uploads end with the finished notice; refused ones show why and send nothing.
    void uploadChecks_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("isText");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("osd text 4096") << 3 << 4096 << true << true << QString();
        QTest::newRow("osd text 4097")
            << 3 << 4097 << true << true << "台标字幕文件大小不能超过4K!";
        QTest::newRow("osd picture 4097") << 3 << 4097 << false << true << QString();
        QTest::newRow("caption text 4097") << -1 << 4097 << true << true << QString();
        QTest::newRow("empty") << 3 << 0 << true << true << "File is empty";
        QTest::newRow("port closed") << -1 << 100 << true << false << "传输文件端口连接发生错误！";
    }

    void uploadChecks()
    {
        QFETCH(int, port);
        QFETCH(int, size);
        QFETCH(bool, isText);
        QFETCH(bool, reachable);
        QFETCH(QString, refusal);
        const QString path = m_fixture.workDir() + "/limit.bmp";
        writeBitmap(path, size);
        if (!reachable)
            MessageDistance::instance()->setUploadPort(DialogFixture::closedPort());
        TitleOrOsdDialog dialog(nullptr, port);
        child<QComboBox>(&dialog, "OutputCombo")->setCurrentIndex(1);
        ModalWatcher watcher;
        dialog.uploadBitmapFile(path, isText);
        const QString start = port == -1 ? QStringLiteral("{param=Upload_Subtitle2}")
                                         : QStringLiteral("{param=Upload_OSD3}");
        if (refusal.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(watcher.count(), 1, 10000);
            QCOMPARE(watcher.seen().first().className, QStringLiteral("DialogConfirm"));
            QCOMPARE(m_fixture.settledCommands(), (QStringList{start, "{param=Done}"}));
        } else {
            QCOMPARE(watcher.count(), 1);
            QCOMPARE(watcher.seen().first().text, refusal);
            QVERIFY(child<QPushButton>(&dialog, "uploadCharBtn")->isEnabled());
            QCOMPARE(m_fixture.settledCommands(), QStringList());
        }
    }

    void uploadShowsProgressAndFinish()
    {
        // A picture whose bitmap takes several packets.
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString source = m_fixture.workDir() + "/logo.png";
        QVERIFY(picture.save(source));
        TitleOrOsdDialog dialog(nullptr, 5);
        dialog.setWindowTitle(QStringLiteral("[Input5] OSD Setting"));
        dialog.show();
        child<QLineEdit>(&dialog, "ImagePathEdit")->setText(source);
        auto *bar = child<QProgressBar>(&dialog, "progressBar");
        QList<int> values;
        connect(bar, &QProgressBar::valueChanged, this, [&values](int v) { values << v; });
        auto *upload = child<QPushButton>(&dialog, "uploadImgBtn");
        ModalWatcher watcher;
        upload->click();
        QVERIFY(!upload->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(watcher.count(), 1, 10000);
        QCOMPARE(watcher.seen().first().className, QStringLiteral("DialogConfirm"));
        QCOMPARE(watcher.seen().first().title, QStringLiteral("[Input5] OSD Setting"));
        QCOMPARE(watcher.seen().first().text, QStringLiteral("Uploading Finished"));

        QFile file(CaptionBitmap::pictureBitmapPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(dialog.uploadSize(), qint64(bytes.size()));
        QCOMPARE(m_fixture.peer().uploaded(), bytes);
        const int packets = (bytes.size() + 499) / 500;
        QVERIFY(packets >= 3);
        QList<int> expected;
        // After packet k of n the queue holds n - k packets and the end command.
        for (int left = packets - 1; left >= 1; --left)
            expected << CaptionBitmap::progressPercent(bytes.size(), left);
        expected << 100 << 0;
        QTRY_COMPARE(values, expected);
        QCOMPARE(m_fixture.settledCommands(), (QStringList{"{param=Upload_OSD5}", "{param=Done}"}));
        // The channel closes its socket after the end; the controls come back.
        QTRY_VERIFY_WITH_TIMEOUT(upload->isEnabled(), 5000);
    }

    // A device that answers the first packet and then falls silent: after the answer timeout
    // the controls come back, the progress is reset and the operator is told which picture did
    // not arrive; the next upload arrives whole, and the stalled one was never declared complete.
    void stalledUploadIsGivenUpThenTheNextArrivesWhole()
    {
        QTcpServer stalling;
        QVERIFY(stalling.listen(QHostAddress::LocalHost, 0));
        connect(&stalling, &QTcpServer::newConnection, this, [&stalling] {
            QTcpSocket *link = stalling.nextPendingConnection();
            connect(link, &QTcpSocket::readyRead, link, [link] {
                link->readAll();
                if (!link->property("answered").toBool())
                    link->write("OK\r\n");
                link->setProperty("answered", true);
            });
        });
        MessageDistance *client = MessageDistance::instance();
        const int timeout = client->uploadAnswerTimeout();
        const auto restore = qScopeGuard([client, timeout] {
            client->setUploadAnswerTimeout(timeout);
            client->setErrorReporter({});
        });
        client->setUploadPort(stalling.serverPort());
        client->setUploadAnswerTimeout(300);
        installUploadErrorDialogs();
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString source = m_fixture.workDir() + "/stalled.png";
        QVERIFY(picture.save(source));
        TitleOrOsdDialog dialog(nullptr, 5);
        dialog.show();
        child<QLineEdit>(&dialog, "ImagePathEdit")->setText(source);
        auto *upload = child<QPushButton>(&dialog, "uploadImgBtn");
        auto *bar = child<QProgressBar>(&dialog, "progressBar");
        QList<int> values;
        connect(bar, &QProgressBar::valueChanged, this, [&values](int v) { values << v; });
        {
            ModalWatcher failure;
            upload->click();
            QVERIFY(!upload->isEnabled());
            QTRY_COMPARE_WITH_TIMEOUT(failure.count(), 1, 10000);
            QCOMPARE(failure.seen().first().className, QStringLiteral("MsgDlg"));
            QVERIFY2(failure.seen().first().text.contains(QStringLiteral("“stalled.png”")),
                     qPrintable(failure.seen().first().text));
        }
        QVERIFY(upload->isEnabled());
        QCOMPARE(values.size(), 2); // one packet's worth, then back to 0
        QVERIFY(values.first() > 0);
        QCOMPARE(bar->value(), 0);

        client->setUploadAnswerTimeout(timeout);
        client->setUploadPort(m_fixture.peer().uploadPort());
        ModalWatcher notices;
        upload->click();
        QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 10000);
        QCOMPARE(notices.seen().first().text, QStringLiteral("Uploading Finished"));
        QFile file(CaptionBitmap::pictureBitmapPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(m_fixture.peer().uploaded(), file.readAll());
        QCOMPARE(m_fixture.settledCommands(),
                 (QStringList{"{param=Upload_OSD5}", "{param=Upload_OSD5}", "{param=Done}"}));
    }

private:
    DialogFixture m_fixture;
    std::unique_ptr<CaptionStore> m_store;
};

QTEST_MAIN(TestTitleOrOsdDialog)
#include "tst_titleorosddialog.moc"
