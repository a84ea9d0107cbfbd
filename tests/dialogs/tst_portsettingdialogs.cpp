// The port dialogs against a bare device on loopback.
#include "../common/datadirfixture.h"
#include "../common/modalwatcher.h"

#include "app/startup.h"
#include "dialogs/captionbitmap.h"
#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/uploaderrordialogs.h"
#include "dialogs/volumnsettingdialog.h"
#include "protocol/messagedistance.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QtTest>

/// Records commands, answers upload packets (up to answerLimit) and acknowledges the end command.
class DialogFixture
{
public:
    bool start()
    {
        m_dir.setUp();
        QDir::setCurrent(m_dir.dir->path());
        m_control.listen(QHostAddress::LocalHost, 0);
        m_upload.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_control, &QTcpServer::newConnection, &m_control, [this] {
            QTcpSocket *s = m_control.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                const QByteArray bytes = s->readAll();
                m_received += bytes;
                if (bytes.contains("{param=Done}") && m_uploadLink)
                    m_uploadLink->write("<ACK_1>\r\n");
            });
        });
        QObject::connect(&m_upload, &QTcpServer::newConnection, &m_upload, [this] {
            QTcpSocket *s = m_uploadLink = m_upload.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                uploaded += s->readAll();
                if (answerLimit < 0 || packets < answerLimit)
                    s->write("OK\r\n");
                ++packets;
            });
        });
        MessageDistance *client = MessageDistance::instance();
        client->connectToDevice(QStringLiteral("127.0.0.1"), m_control.serverPort());
        return QTest::qWaitFor([client] { return client->isConnected(); }, 10000);
    }

    QString path(const QString &name) const { return m_dir.path(name); }
    QString write(const QString &name, const QByteArray &bytes = {}) const
    {
        QFile out(m_dir.path(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return out.fileName();
    }

    void reset()
    {
        DeviceState::instance()->setDeviceType(Dev0809);
        MessageDistance::instance()->setUploadPort(m_upload.serverPort());
        answerLimit = -1;
        clear();
    }

    /// Forgets what was received, once all that was sent has arrived.
    void clear()
    {
        commands();
        m_received.clear();
        uploaded.clear();
        packets = 0;
    }

    /// All the commands sent so far: a query sent now arrives after anything sent before.
    QStringList commands()
    {
        MessageDistance::instance()->sendCommand(QStringLiteral("{param=fence}"));
        (void)QTest::qWaitFor([this] { return m_received.contains("{param=fence}"); }, 5000);
        m_received.replace("{param=fence}", "");
        QStringList out;
        static const QRegularExpression command(QStringLiteral("\\{[^}]*\\}"));
        for (auto m = command.globalMatch(QString::fromUtf8(m_received)); m.hasNext();)
            out << m.next().captured();
        return out;
    }

    QByteArray uploaded; // since the last clear()
    int packets = 0;
    int answerLimit = -1;

private:
    DataDirFixture m_dir;
    QTcpServer m_control;
    QTcpServer m_upload;
    QPointer<QTcpSocket> m_uploadLink;
    QByteArray m_received;
};

namespace {
const char *const PatternButtons[] = {
    "radioButton_Through",           "radioButton_RGB_bars",
    "radioButton_16levelsofgray",    "radioButton_32levelsofgray",
    "radioButton_64levelsofgray",    "radioButton_RedGrid",
    "radioButton_GreenGrid",         "radioButton_BlueGrid",
    "radioButton_WhiteGrid",         "radioButton_HorizontalScrollBar",
    "radioButton_VerticalScrollBar", "radioButton_SolidColor"};

QString checkedButton(QWidget *dialog)
{
    QStringList names;
    for (QRadioButton *b : dialog->findChildren<QRadioButton *>()) {
        if (b->isChecked())
            names << b->objectName();
    }
    return names.join(',');
}

QList<int> *recordProgress(QWidget *dialog)
{
    auto *values = new QList<int>;
    auto *bar = child<QProgressBar>(dialog, "progressBar");
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [values](int v) { *values << v; });
    QObject::connect(bar, &QObject::destroyed, [values] { delete values; });
    return values;
}

void chooseColours(QWidget *dialog, const QList<QPair<const char *, QColor>> &choices)
{
    for (const auto &[button, colour] : choices) {
        ModalWatcher watcher(ModalWatcher::chooseColour(colour)); // invalid: cancelled
        child<QToolButton>(dialog, button)->click();
        QCOMPARE(watcher.count(), 1);
    }
}
} // namespace

class TestPortSettingDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        configureApplication();
        QVERIFY(m_fixture.start());
    }
    void cleanupTestCase()
    {
        MessageDistance::instance()->closeConnections();
        MessageDistance::instance()->openUploadSocket(false);
    }
    void init() { m_fixture.reset(); }

    // Grey 128 and up is white, each pixel checked, the rows turned; a picture that cannot be read
    // leaves no stale bitmap to send in its place.
    void pictureIsThresholdedAndMirrored()
    {
        const QVector<QRgb> pixels = {qRgb(0, 0, 0),       qRgb(127, 127, 127), qRgb(128, 128, 128),
                                      qRgb(255, 255, 255), qRgb(255, 0, 0),     qRgb(0, 255, 255),
                                      qRgb(0, 0, 255),     qRgb(200, 200, 200)};
        QImage picture(4, 2, QImage::Format_RGB32);
        for (int i = 0; i < pixels.size(); ++i)
            picture.setPixel(i % 4, i / 4, pixels[i]);
        QVERIFY(picture.save(m_fixture.path("picture.png")));
        const QString out = CaptionBitmap::pictureBitmapPath();
        QVERIFY(CaptionBitmap::writePictureBitmap(m_fixture.path("picture.png"), out));
        // A one-bit bitmap as the device takes it, read back with its rows the right way up.
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly) &&
                file.read(30).mid(28) == QByteArray("\x01\x00", 2));
        const QImage result = QImage(out).mirrored(false, true);
        QString seen;
        for (int i = 0; i < pixels.size(); ++i)
            seen += result.pixelColor(i % 4, i / 4) == Qt::white ? '1' : '0';
        QCOMPARE(seen, QString("00110101"));
        m_fixture.write("broken.png", "not a picture");
        for (const char *name : {"broken.png", "missing.png"}) {
            QVERIFY(!CaptionBitmap::writePictureBitmap(m_fixture.path(name), out));
            QVERIFY(!QFile::exists(out));
        }
    }

    void progress()
    {
        for (const auto &[size, left, percent] : {std::tuple<qint64, int, int>{500, 1, 0},
                                                  {100, 3, 0},
                                                  {0, 1, 0},
                                                  {50000000, 2, 99},
                                                  {10, -1, 100}})
            QCOMPARE(CaptionBitmap::progressPercent(size, left), percent);
    }

    // Opens on the stored mode (1 is not offered), sends on OK only, shows its own port's report.
    void scaling_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("input"); // a report or the button chosen
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("storedAfter");
        QTest::addColumn<int>("sent"); // the mode, or -1 for nothing
        const QString ok = "pushButton", full = "radioButton_full", black = "radioButton_black",
                      crop = "radioButton_tailor", close = "btnClose";
        QTest::newRow("stored 2, OK") << 2 << "" << ok << black << 2 << 2;
        QTest::newRow("choose crop") << 0 << crop << ok << crop << 0 << 3;
        QTest::newRow("stored 1") << 1 << "" << ok << "" << 1 << -1;
        QTest::newRow("quoted") << 2 << R"({"Chn":"5","Scaler_Mode":"3"})" << close << crop << 3
                                << -1;
        QTest::newRow("mode 0") << 2 << R"({"Chn":5,"Scaler_Mode":0})" << close << full << 0 << -1;
        QTest::newRow("bad mode") << 2 << R"({"Chn":5,"Scaler_Mode":x})" << close << black << 2
                                  << -1;
    }

    void scaling()
    {
        QFETCH(int, stored);
        QFETCH(QString, input);
        QFETCH(QString, button);
        QFETCH(int, sent);
        DeviceState::instance()->setScalingModeAt(5, stored);
        CDlgScalingmode dialog;
        dialog.setPort(5);
        if (input.startsWith("radio"))
            child<QRadioButton>(&dialog, qPrintable(input))->click();
        else if (!input.isEmpty())
            dialog.sl_StateUpdate(input);
        QTEST(checkedButton(&dialog), "checked");
        QTEST(DeviceState::instance()->scalingModeAt(5), "storedAfter");
        QCOMPARE(m_fixture.commands(), QStringList());
        child<QPushButton>(&dialog, qPrintable(button))->click();
        QCOMPARE(dialog.result(), int(button == "pushButton"));
        QCOMPARE(m_fixture.commands().join(""),
                 sent < 0 ? "" : QStringLiteral("{param=Scaler_Mode5/%1}").arg(sent));
    }

    // Patterns 1..10 go out at once; pure colour sends black, then each chosen colour.
    void noSignalSendsAtOnce()
    {
        CDlgnosignaloutput dialog;
        dialog.setPort(3, 2);
        auto *palette = child<QToolButton>(&dialog, "toolButton_ColorPalette");
        dialog.show();
        QVERIFY(!palette->isVisible());
        QStringList expected;
        for (int pattern = 1; pattern <= 10; ++pattern) {
            child<QRadioButton>(&dialog, PatternButtons[pattern])->click();
            expected << QStringLiteral("{param=No_Signal3/%1/0/0/0}").arg(pattern);
        }
        child<QRadioButton>(&dialog, PatternButtons[10])->click(); // already chosen: nothing
        child<QRadioButton>(&dialog, "radioButton_SolidColor")->click();
        QVERIFY(palette->isVisible());
        chooseColours(&dialog, {{"toolButton_ColorPalette", QColor(200, 10, 30)},
                                {"toolButton_ColorPalette", QColor()}});
        child<QRadioButton>(&dialog, "radioButton_RedGrid")->click();
        QVERIFY(!palette->isVisible());
        dialog.sl_StateUpdate(R"({"Chn":3,"Mode":7,"Color":0,0,0})"); // shown, not sent back
        QCOMPARE(checkedButton(&dialog), QString("radioButton_BlueGrid"));
        QCOMPARE(m_fixture.commands(), expected << "{param=No_Signal3/0/0/0/0}"
                                                << "{param=No_Signal3/0/200/10/30}"
                                                << "{param=No_Signal3/5/0/0/0}");
    }

    // Each of the twelve test patterns, for an output and an input; a built-in EDID and a copy
    // from an output (numbered from 1 on the wire).
    void patternsAndEdidSendTheirIndex()
    {
        QStringList expected;
        for (const bool isOutput : {true, false}) {
            GraphicsTestDialog dialog(7, isOutput);
            for (int pattern = 0; pattern < 12; ++pattern) {
                child<QRadioButton>(&dialog, PatternButtons[pattern])->click();
                expected << QStringLiteral("{param=%1_Pattern7/%2}")
                                .arg(isOutput ? "Out" : "In")
                                .arg(pattern);
            }
        }
        for (const auto &[input, builtIn, copyIndex] : {std::tuple{5, 4, 0}, std::tuple{9, 0, 8}}) {
            EdidSettingDilog dialog(input);
            child<QComboBox>(&dialog, "cbb_builtinEdid")->setCurrentIndex(builtIn);
            child<QPushButton>(&dialog, "btnAppInputEDID")->click();
            child<QComboBox>(&dialog, "cbb_copyOutput")->setCurrentIndex(copyIndex);
            child<QPushButton>(&dialog, "btnCopyEDID")->click();
            expected << QStringLiteral("{param=EDID_Sel%1/%2}").arg(input).arg(builtIn)
                     << QStringLiteral("{param=Copy_EDID%1/%2}").arg(input).arg(copyIndex + 1);
        }
        QCOMPARE(m_fixture.commands(), expected);
    }

    // The 0409-S addresses audio ports from 101 as 1, 2...; a drag sends once, on release.
    void volume()
    {
        DeviceState *state = DeviceState::instance();
        for (const auto &[type, port] : {std::pair{Dev0409S, 3}, {Dev0809, 103}}) {
            state->setDeviceType(type);
            state->setVolume({{port, 42}, {port + 1, 7}});
            state->setMute({{port, 1}});
            VolumnSettingDialog dialog(103);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.port(), port);
            auto *slider = child<QSlider>(&dialog, "volumnSplider");
            for (const bool muted : {false, true}) {
                child<QPushButton>(&dialog, "btn_mute")->click();
                QCOMPARE(dialog.isMuted(), muted);
            }
            const QPoint handle = slider->rect().center();
            QTest::mousePress(slider, Qt::LeftButton, {}, handle);
            QMouseEvent move(QEvent::MouseMove, handle + QPoint(30, 0), Qt::NoButton,
                             Qt::LeftButton, {});
            QApplication::sendEvent(slider, &move);
            const QString mute = QStringLiteral("{param=MuteOff%1} {param=MuteOn%1}").arg(port);
            QCOMPARE(m_fixture.commands().join(' '), "{param=Get_Volume} " + mute);
            QTest::mouseRelease(slider, Qt::LeftButton, {}, handle + QPoint(30, 0));
            const int dragged = slider->value();
            QVERIFY(dragged > 42 && state->volumeAt(port) == dragged);
            // A click at the groove's end sends that end.
            QTest::mouseClick(slider, Qt::LeftButton, {},
                              {slider->width() - 2, slider->height() / 2});
            QCOMPARE(
                m_fixture.commands().join(' '),
                QStringLiteral("{param=Get_Volume} %1 {param=Volume%2/%3} {param=Volume%2/100}")
                    .arg(mute)
                    .arg(port)
                    .arg(dragged));
            state->setVolume({{port, 88}});
            state->setMute({{port, 0}});
            QCOMPARE(slider->value(), 88);
            QCOMPARE(child<QLabel>(&dialog, "volumnLabel")->text(), "88");
            QVERIFY(!dialog.isMuted());
            m_fixture.clear();
        }
    }

    // Caption (-1) and OSD: an emptied position is 0; a cancelled colour sends nothing.
    void eachControlSendsItsCommand()
    {
        for (const int port : {-1, 2}) {
            TitleOrOsdDialog dialog(nullptr, port);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            for (const char *name : {"lb_output", "OutputCombo"})
                QCOMPARE(child<QWidget>(&dialog, name)->isVisible(), port < 0);
            for (const char *name : {"IsShowCheck", "IsShowCheck", "BgColorSwitch"})
                QTest::mouseClick(child<QWidget>(&dialog, name), Qt::LeftButton);
            auto *speed = child<QSlider>(&dialog, "speedSplider");
            speed->setValue(40);
            QTest::mouseClick(speed, Qt::LeftButton, {}, {speed->width() - 2, speed->height() / 2});
            for (const char *name : {"RightBtn", "RightBtn", "LeftBtn"})
                child<QPushButton>(&dialog, name)->click();
            auto *x = child<QLineEdit>(&dialog, "PosXEdit");
            auto *y = child<QLineEdit>(&dialog, "PosYEdit");
            y->setFocus();
            QTest::keyClick(y, Qt::Key_Backspace);
            x->setFocus();
            x->selectAll();
            QTest::keyClicks(x, QStringLiteral("12"));
            QTest::keyClick(x, Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            chooseColours(&dialog, {{"ColorSetting", QColor(1, 2, 3)},
                                    {"BgColorSetting", QColor(250, 251, 252)},
                                    {"ColorSetting", QColor()}});
            QCOMPARE(dialog.fontColor(), QColor(1, 2, 3));
            QCOMPARE(dialog.backgroundColor(), QColor(250, 251, 252));
            child<QPushButton>(&dialog, "EraseBtn")->click();
            QCOMPARE(m_fixture.commands(),
                     (QStringList{"{param=Open}", "{param=Close}", "{param=Bg_Open}",
                                  QStringLiteral("{param=Speed%1}").arg(speed->value()),
                                  "{param=Right}", "{param=Left}", "{param=POS12/0}",
                                  "{param=Font_Color1/2/3}", "{param=Bg_Color250/251/252}",
                                  port < 0 ? "{param=EraseSubtitle}" : "{param=EraseOSD}"}));
            m_fixture.clear();
        }
    }

    // Progress as the device answers; a file that cannot go is refused; OSD text has a 4K limit.
    void upload_data()
    {
        QTest::addColumn<QString>("kind"); // edid, osd (text), picture (OSD), caption (text)
        QTest::addColumn<int>("size");     // -1: no path given
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QList<int>>("progress");
        const QString done = "DialogConfirm|D|Uploading Finished",
                      empty = "MsgDlg|error|File is empty",
                      closed = "MsgDlg|NetWork Error|传输文件端口连接发生错误！";
        const auto row = [](const char *name, const char *kind, int size, bool reachable,
                            const QString &notice, const QList<int> &progress) {
            QTest::newRow(name) << kind << size << reachable << notice << progress;
        };
        row("edid 500 bytes, one packet", "edid", 500, true, done, {100, 0});
        row("edid 1201 bytes, three packets", "edid", 1201, true, done, {16, 58, 100, 0});
        row("edid no path", "edid", -1, true, {}, {});
        row("edid empty", "edid", 0, true, empty, {});
        row("edid port closed", "edid", 128, false, closed, {});
        row("osd text 4096", "osd", 4096, true, done, {100, 0});
        row("osd text 4097", "osd", 4097, true, "MsgDlg|错误|台标字幕文件大小不能超过4K!", {});
        row("osd picture 4097", "picture", 4097, true, done, {100, 0});
        row("caption text 4097", "caption", 4097, true, done, {100, 0});
        row("osd empty", "osd", 0, true, empty, {});
        row("caption port closed", "caption", 100, false, closed, {});
    }

    void upload()
    {
        QFETCH(QString, kind);
        QFETCH(int, size);
        QFETCH(QString, notice);
        QFETCH(QList<int>, progress);
        const bool edid = kind == "edid";
        // EDID bytes go as they are; the others must be a bitmap, here padded with zeros.
        QByteArray bytes(qMax(0, size), '\0');
        if (edid) {
            for (int i = 0; i < bytes.size(); ++i)
                bytes[i] = char(i * 7 + 3);
        } else if (size > 0) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImage(16, 16, QImage::Format_Mono).save(&buffer, "bmp");
            bytes = bytes.leftJustified(size, '\0', true);
        }
        const QString path = m_fixture.write("upload.bin", bytes);
        QFETCH(bool, reachable);
        QTcpServer probe; // a port nobody listens on
        if (!reachable && probe.listen(QHostAddress::LocalHost, 0)) {
            MessageDistance::instance()->setUploadPort(probe.serverPort());
            probe.close();
        }
        std::unique_ptr<QDialog> dialog;
        if (edid)
            dialog.reset(new EdidSettingDilog(4));
        else
            dialog.reset(new TitleOrOsdDialog(nullptr, kind == "caption" ? -1 : 3));
        dialog->setWindowTitle(QStringLiteral("D"));
        QList<int> *values = recordProgress(dialog.get());
        auto *button = child<QPushButton>(dialog.get(), edid ? "UploadBtn" : "uploadCharBtn");
        ModalWatcher watcher;
        const bool sent = !progress.isEmpty();
        if (edid) {
            if (size != -1)
                child<QLineEdit>(dialog.get(), "le_edidPath")->setText(path);
            button->click();
            QCOMPARE(button->isEnabled(), !sent);
        } else {
            child<QComboBox>(dialog.get(), "OutputCombo")->setCurrentIndex(1);
            static_cast<TitleOrOsdDialog *>(dialog.get())
                ->uploadBitmapFile(path, kind != "picture");
        }
        QTRY_COMPARE_WITH_TIMEOUT(watcher.lines().value(0), notice, 10000);
        const QString start = edid                ? "{param=Update_EDID4}"
                              : kind == "caption" ? "{param=Upload_Subtitle2}"
                                                  : "{param=Upload_OSD3}";
        QCOMPARE(m_fixture.commands(), (sent ? QStringList{start, "{param=Done}"} : QStringList()));
        QCOMPARE(watcher.count(), int(!notice.isEmpty()));
        if (edid) {
            QCOMPARE(m_fixture.uploaded, sent ? bytes : QByteArray());
            QCOMPARE(m_fixture.packets, sent ? (size + 499) / 500 : 0);
        }
        QTRY_COMPARE(*values, progress);
        QVERIFY(button->isEnabled());
    }

    // A device that falls silent after one packet: the operator is told; the next upload is whole.
    void stalledUploadIsGivenUpThenTheNextArrivesWhole()
    {
        MessageDistance *client = MessageDistance::instance();
        const int timeout = client->uploadAnswerTimeout();
        const auto restore = qScopeGuard([client, timeout] {
            client->setUploadAnswerTimeout(timeout);
            client->setErrorReporter({});
        });
        m_fixture.answerLimit = 1;
        client->setUploadAnswerTimeout(300);
        installUploadErrorDialogs();
        QImage picture(320, 120, QImage::Format_RGB32); // over the 4K of an OSD text
        picture.fill(Qt::white);
        const QString path = m_fixture.write("stalled.png", {});
        QVERIFY(picture.save(path, "png"));
        TitleOrOsdDialog dialog(nullptr, 5);
        dialog.setWindowTitle(QStringLiteral("[Input5] OSD Setting"));
        dialog.show();
        child<QLineEdit>(&dialog, "ImagePathEdit")->setText(path);
        auto *upload = child<QPushButton>(&dialog, "uploadImgBtn");
        QList<int> *values = recordProgress(&dialog);
        {
            ModalWatcher failure;
            upload->click();
            for (const char *name : {"uploadImgBtn", "uploadCharBtn", "BrowserBtn", "EraseBtn"})
                QVERIFY(!child<QWidget>(&dialog, name)->isEnabled());
            QTRY_COMPARE_WITH_TIMEOUT(failure.count(), 1, 10000);
            QVERIFY(failure.lines()[0].startsWith("MsgDlg|") &&
                    failure.lines()[0].contains("“stalled.png”"));
        }
        QVERIFY(upload->isEnabled());
        QVERIFY(values->size() == 2 && values->first() > 0); // one packet's worth, then back to 0

        client->setUploadAnswerTimeout(timeout);
        m_fixture.answerLimit = -1;
        m_fixture.uploaded.clear();
        values->clear();
        ModalWatcher notices;
        upload->click();
        QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 10000);
        QCOMPARE(notices.lines()[0], "DialogConfirm|[Input5] OSD Setting|Uploading Finished");
        QFile file(CaptionBitmap::pictureBitmapPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(m_fixture.uploaded, file.readAll());
        QTRY_VERIFY_WITH_TIMEOUT(upload->isEnabled(), 5000);
        // The stalled upload was never declared complete.
        QCOMPARE(m_fixture.commands(),
                 (QStringList{"{param=Upload_OSD5}", "{param=Upload_OSD5}", "{param=Done}"}));
    }

    // Closing mid-upload asks; agreeing abandons the upload without declaring it complete.
    void closingMidUploadAsksThenAbandons()
    {
        m_fixture.answerLimit = 0;
        MessageDistance *client = MessageDistance::instance();
        EdidSettingDilog dialog(4);
        dialog.setWindowTitle(QStringLiteral("EDID 4"));
        dialog.show();
        child<QLineEdit>(&dialog, "le_edidPath")
            ->setText(m_fixture.write("edid.bin", QByteArray(1201, 'e')));
        child<QPushButton>(&dialog, "UploadBtn")->click();
        QVERIFY(client->isUploadBusy());
        for (const bool agree : {false, true}) {
            ModalWatcher watcher([agree](QDialog *d) { agree ? d->accept() : d->reject(); });
            child<QPushButton>(&dialog, "btnClose")->click();
            QCOMPARE(watcher.lines(),
                     QStringList{"DialogConfirm|EDID 4|文件还在上传中，停止上传并关闭吗？"});
            QCOMPARE(dialog.isVisible(), !agree);
            QCOMPARE(client->isUploadBusy(), !agree);
        }
        QVERIFY(!client->isUploadOpen());
        QCOMPARE(m_fixture.commands(), QStringList{"{param=Update_EDID4}"});
    }

private:
    DialogFixture m_fixture;
};

QTEST_MAIN(TestPortSettingDialogs)
#include "tst_portsettingdialogs.moc"
