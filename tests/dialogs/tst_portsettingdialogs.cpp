// The port dialogs against a bare device on loopback: what each control sends, how reports
// show, and how uploads go, stall and are refused.
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
#include "state/sigmanager.h"
#include "storage/captionstore.h"
#include "uikit/switchcontrol.h"

#include <QComboBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QtTest>

/// A bare device on 127.0.0.1 that records the commands, answers upload packets (up to
/// answerLimit of them) and acknowledges the end command; the data directory is the working one.
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
            while (QTcpSocket *s = m_control.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    const QByteArray bytes = s->readAll();
                    m_received += bytes;
                    if (bytes.contains("{param=Done}") && m_uploadLink)
                        m_uploadLink->write("<ACK_1>\r\n");
                });
            }
        });
        QObject::connect(&m_upload, &QTcpServer::newConnection, &m_upload, [this] {
            while (QTcpSocket *s = m_upload.nextPendingConnection()) {
                m_uploadLink = s;
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    uploaded += s->readAll();
                    if (answerLimit < 0 || packets < answerLimit)
                        s->write("OK\r\n");
                    ++packets;
                });
            }
        });
        MessageDistance *client = MessageDistance::instance();
        client->setUploadPort(m_upload.serverPort());
        client->connectToDevice(QStringLiteral("127.0.0.1"), m_control.serverPort());
        return QTest::qWaitFor([client] { return client->isConnected(); }, 10000);
    }

    void stop()
    {
        MessageDistance::instance()->closeConnections();
        MessageDistance::instance()->openUploadSocket(false);
    }

    /// A loopback port nobody listens on.
    static quint16 closedPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    QString file(const QString &name) const { return m_dir.path(name); }
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
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
        settledCommands();
        m_received.clear();
        uploaded.clear();
        packets = 0;
    }

    /// All the commands sent so far: a query sent now arrives after anything sent before.
    QStringList settledCommands()
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

// The geometry a window had when its native window was made.
struct CreationWatch : QObject
{
    QRect created;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WinIdChange && created.isNull())
            created = static_cast<QWidget *>(watched)->geometry();
        return false;
    }
};

QString checkedButton(QWidget *dialog)
{
    QStringList names;
    for (QRadioButton *b : dialog->findChildren<QRadioButton *>()) {
        if (b->isChecked())
            names << b->objectName();
    }
    return names.join(',');
}

// The progress bar's values as they change.
QList<int> *recordProgress(QWidget *dialog)
{
    auto *values = new QList<int>;
    auto *bar = child<QProgressBar>(dialog, "progressBar");
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [values](int v) { *values << v; });
    QObject::connect(bar, &QObject::destroyed, [values] { delete values; });
    return values;
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
        m_store.reset(new CaptionStore);
    }
    void cleanupTestCase() { m_fixture.stop(); }
    void init() { m_fixture.reset(); }

    // Opens on the stored mode (1 is not offered); a choice goes out on OK only; a report for
    // its port with a readable mode is shown and stored, anything else changes nothing.
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
        QTest::newRow("choose squeeze") << 3 << full << ok << full << 3 << 0;
        QTest::newRow("stored 1") << 1 << "" << ok << "" << 1 << -1;
        QTest::newRow("cancel") << 0 << black << "pushButton_2" << black << 0 << -1;
        QTest::newRow("close") << 0 << black << close << black << 0 << -1;
        QTest::newRow("quoted") << 2 << R"({"Chn":"5","Scaler_Mode":"3"})" << close << crop << 3
                                << -1;
        QTest::newRow("mode 0") << 2 << R"({"Chn":5,"Scaler_Mode":0})" << close << full << 0 << -1;
        QTest::newRow("mode 1") << 2 << R"({"Chn":5,"Scaler_Mode":1})" << close << black << 1 << -1;
        QTest::newRow("port 55") << 2 << R"({"Chn":55,"Scaler_Mode":3})" << close << black << 2
                                 << -1;
        QTest::newRow("bad mode") << 2 << R"({"Chn":5,"Scaler_Mode":x})" << close << black << 2
                                  << -1;
        QTest::newRow("not a report") << 2 << "garbage" << close << black << 2 << -1;
    }

    void scaling()
    {
        QFETCH(int, stored);
        QFETCH(QString, input);
        QFETCH(QString, button);
        QFETCH(int, sent);
        DeviceState::instance()->setScalingModeAt(5, stored);
        DeviceState::instance()->setScalingModeAt(55, 0);
        CDlgScalingmode dialog;
        dialog.setPort(5);
        if (input.startsWith("radio"))
            child<QRadioButton>(&dialog, qPrintable(input))->click();
        else if (!input.isEmpty())
            dialog.sl_StateUpdate(input);
        QTEST(checkedButton(&dialog), "checked");
        QTEST(DeviceState::instance()->scalingModeAt(5), "storedAfter");
        QCOMPARE(DeviceState::instance()->scalingModeAt(55), 0);
        QCOMPARE(m_fixture.settledCommands(), QStringList());
        child<QPushButton>(&dialog, qPrintable(button))->click();
        QCOMPARE(dialog.result(), int(button == "pushButton"));
        QCOMPARE(m_fixture.settledCommands().join(""),
                 sent < 0 ? "" : QStringLiteral("{param=Scaler_Mode5/%1}").arg(sent));
    }

    // Patterns 1..10 go out at once; pure colour sends black, then each chosen colour.
    void noSignalSendsAtOnce()
    {
        CDlgnosignaloutput dialog;
        dialog.setPort(3, 2);
        auto *palette = child<QToolButton>(&dialog, "toolButton_ColorPalette");
        dialog.show();
        QStringList expected;
        for (int pattern = 1; pattern <= 10; ++pattern) {
            child<QRadioButton>(&dialog, PatternButtons[pattern])->click();
            expected << QStringLiteral("{param=No_Signal3/%1/0/0/0}").arg(pattern);
        }
        child<QRadioButton>(&dialog, PatternButtons[10])->click(); // already chosen: nothing
        QVERIFY(!palette->isVisible());
        child<QRadioButton>(&dialog, "radioButton_SolidColor")->click();
        QVERIFY(palette->isVisible());
        for (const QColor &colour : {QColor(200, 10, 30), QColor()}) { // chosen, then cancelled
            ModalWatcher watcher(ModalWatcher::chooseColour(colour));
            palette->click();
            QCOMPARE(watcher.count(), 1);
        }
        QCOMPARE(dialog.color(), QColor(200, 10, 30));
        QVERIFY(palette->styleSheet().contains("rgb(200, 10, 30)"));
        child<QRadioButton>(&dialog, "radioButton_RedGrid")->click();
        QVERIFY(!palette->isVisible());
        QCOMPARE(m_fixture.settledCommands(), expected << "{param=No_Signal3/0/0/0/0}"
                                                       << "{param=No_Signal3/0/200/10/30}"
                                                       << "{param=No_Signal3/5/0/0/0}");
    }

    // The device's choice is shown, not sent back; the colour button shows for pure colour only.
    void noSignalReport_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("paletteStyle");
        const auto row = [](const char *name, const char *report, const char *checked,
                            const char *style) {
            QTest::newRow(name) << report << checked << style;
        };
        row("pattern 7", R"({"Chn":1,"Mode":7,"Color":0,0,0})", "radioButton_BlueGrid", "");
        row("quoted colour", R"({"Chn":1,"Mode":"0","Color":"12,34,56"})", "radioButton_SolidColor",
            "rgb(12, 34, 56)");
        row("two-part colour", R"({"Chn":1,"Mode":0,"Color":12,34})", "radioButton_SolidColor",
            "rgb(0, 0, 0)");
        row("unknown mode clears", R"({"Chn":1,"Mode":11,"Color":0,0,0})", "", "");
    }

    void noSignalReport()
    {
        QFETCH(QString, report);
        QFETCH(QString, paletteStyle);
        CDlgnosignaloutput dialog;
        dialog.setPort(1);
        dialog.show();
        child<QRadioButton>(&dialog, "radioButton_WhiteGrid")->click();
        m_fixture.clear();
        dialog.sl_StateUpdate(report);
        QTEST(checkedButton(&dialog), "checked");
        auto *palette = child<QToolButton>(&dialog, "toolButton_ColorPalette");
        QCOMPARE(palette->isVisible(), !paletteStyle.isEmpty());
        QVERIFY2(palette->styleSheet().contains(paletteStyle), qPrintable(palette->styleSheet()));
        QCOMPARE(m_fixture.settledCommands(), QStringList());
    }

    // No colour to choose here; the closing buttons send nothing.
    void graphicsTestSendsEachPattern()
    {
        for (const bool isOutput : {true, false}) {
            GraphicsTestDialog dialog(7, isOutput);
            dialog.show();
            QStringList expected;
            for (int pattern = 0; pattern < 12; ++pattern) {
                child<QRadioButton>(&dialog, PatternButtons[pattern])->click();
                expected << QStringLiteral("{param=%1_Pattern7/%2}")
                                .arg(isOutput ? "Out" : "In")
                                .arg(pattern);
            }
            QVERIFY(!child<QWidget>(&dialog, "widget_color")->isVisible());
            dialog.setWindowTitle(QStringLiteral("G"));
            QCOMPARE(child<QLabel>(&dialog, "lb_title")->text(), QStringLiteral("G"));
            for (const auto &[name, result] :
                 {std::pair{"pushButton", 1}, {"pushButton_2", 0}, {"btnClose", 0}}) {
                dialog.setResult(-1);
                child<QPushButton>(&dialog, name)->click();
                QCOMPARE(dialog.result(), result);
            }
            QCOMPARE(m_fixture.settledCommands(), expected);
            m_fixture.clear();
        }
    }

    // The 0409-S addresses its audio ports from 101 as 1, 2...; the dialog opens on the stored
    // volume and mute, toggles mute, then follows the store without sending.
    void volumeFollowsTheStore()
    {
        DeviceState *state = DeviceState::instance();
        for (const auto &[type, port] : {std::pair{Dev0409S, 3}, {Dev0809, 103}}) {
            state->setDeviceType(type);
            state->setVolume({{port, 42}, {port + 1, 7}});
            state->setMute({{port, 1}});
            VolumnSettingDialog dialog(103);
            QCOMPARE(dialog.port(), port);
            auto *slider = child<QSlider>(&dialog, "volumnSplider");
            auto *label = child<QLabel>(&dialog, "volumnLabel");
            QCOMPARE(slider->value(), 42);
            QCOMPARE(label->text(), "42");
            QVERIFY(dialog.isMuted());
            for (const bool muted : {false, true}) {
                child<QPushButton>(&dialog, "btn_mute")->click();
                QCOMPARE(dialog.isMuted(), muted);
            }
            state->setVolume({{port, 88}});
            state->setMute({{port, 0}});
            QCOMPARE(slider->value(), 88);
            QCOMPARE(label->text(), "88");
            QVERIFY(!dialog.isMuted());
            QCOMPARE(
                m_fixture.settledCommands(),
                (QStringList{"{param=Get_Volume}", QStringLiteral("{param=MuteOff%1}").arg(port),
                             QStringLiteral("{param=MuteOn%1}").arg(port)}));
            m_fixture.clear();
        }
    }

    // A drag sends once, on release; a click on the groove, ends included, sends that value.
    void volumeSentOnReleaseOnly()
    {
        DeviceState::instance()->setVolume({{2, 0}});
        VolumnSettingDialog dialog(2);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *slider = child<QSlider>(&dialog, "volumnSplider");
        const QPoint handle = slider->rect().center();
        slider->setValue(50);
        m_fixture.clear();
        QTest::mousePress(slider, Qt::LeftButton, {}, handle);
        QMouseEvent move(QEvent::MouseMove, handle + QPoint(30, 0), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(slider, &move);
        QCOMPARE(m_fixture.settledCommands(), QStringList());
        QTest::mouseRelease(slider, Qt::LeftButton, {}, handle + QPoint(30, 0));
        QVERIFY(slider->value() > 50);
        QCOMPARE(DeviceState::instance()->volumeAt(2), slider->value());
        for (const auto &[fraction, expected] :
             {std::pair{-1.0, -1}, {0.75, 75}, {0.0, 0}, {1.0, 100}}) {
            const int sent = slider->value();
            QCOMPARE(m_fixture.settledCommands(),
                     QStringList{QStringLiteral("{param=Volume2/%1}").arg(sent)});
            QCOMPARE(child<QLabel>(&dialog, "volumnLabel")->text(), QString::number(sent));
            if (fraction < 0)
                continue;
            m_fixture.clear();
            const int x = qBound(1, int(slider->width() * fraction), slider->width() - 2);
            QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(x, slider->height() / 2));
            QVERIFY2(qAbs(slider->value() - expected) <= 4,
                     qPrintable(QString::number(slider->value())));
        }
    }

    // Placed over its owner before its native window exists, else its message boxes (and lists
    // and colour choosers) may open from the screen's corner.
    void popUpsOpenByTheirOwner()
    {
        QWidget owner;
        owner.setGeometry(40, 30, 700, 540);
        owner.show();
        EdidSettingDilog dialog(3, &owner);
        CreationWatch watch;
        dialog.installEventFilter(&watch);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(watch.created, dialog.geometry());
        const QRect placed = dialog.frameGeometry();
        QVERIFY(placed.contains(owner.frameGeometry().center()));
        QRect opened;
        ModalWatcher watcher([&opened](QDialog *d) {
            opened = d->frameGeometry();
            d->reject();
        });
        child<QLineEdit>(&dialog, "le_edidPath")->setText(m_fixture.write("empty.bin", {}));
        child<QPushButton>(&dialog, "UploadBtn")->click();
        QVERIFY((opened.center() - placed.center()).manhattanLength() <= 2);
    }

    // Caption (-1) and OSD: an emptied position counts as 0, Return sends without closing, a
    // chosen direction or a cancelled colour sends nothing.
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
            QCOMPARE(child<QLabel>(&dialog, "lb_speedValue")->text(),
                     QString::number(speed->value()));
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
            for (const auto &[name, colour] : {std::pair{"ColorSetting", QColor(1, 2, 3)},
                                               {"BgColorSetting", QColor(250, 251, 252)},
                                               {"ColorSetting", QColor()}}) {
                ModalWatcher watcher(ModalWatcher::chooseColour(colour));
                child<QToolButton>(&dialog, name)->click();
                QCOMPARE(watcher.count(), 1);
            }
            QCOMPARE(dialog.fontColor(), QColor(1, 2, 3));
            QCOMPARE(dialog.backgroundColor(), QColor(250, 251, 252));
            QCOMPARE(child<QWidget>(&dialog, "ColorSetting")->styleSheet(),
                     QStringLiteral("QToolButton{background-color:rgb(1,2,3)}"));
            child<QPushButton>(&dialog, "EraseBtn")->click();
            QCOMPARE(m_fixture.settledCommands(),
                     (QStringList{"{param=Open}", "{param=Close}", "{param=Bg_Open}",
                                  QStringLiteral("{param=Speed%1}").arg(speed->value()),
                                  "{param=Right}", "{param=Left}", "{param=POS12/0}",
                                  "{param=Font_Color1/2/3}", "{param=Bg_Color250/251/252}",
                                  port < 0 ? "{param=EraseSubtitle}" : "{param=EraseOSD}"}));
            m_fixture.clear();
        }
    }

    // The device's settings are shown, not sent back; missing keys take the defaults and an
    // unknown direction leaves the buttons alone.
    void deviceSettingsAreShownWithoutEcho()
    {
        TitleOrOsdDialog dialog(nullptr, 4);
        const char *report = R"({"Switch":"true","Speed":9,"Color":"10,20,30","Position_x":100,)"
                             R"("Position_y":50,"Bg_switch":"true","Bg_Color":"40,50,60",)"
                             R"("Move_dir":"right"})";
        emit MessageDistance::instance()->receiveTitleImfSig(
            QJsonDocument::fromJson(report).object());
        QVERIFY(child<SwitchControl>(&dialog, "IsShowCheck")->isToggled());
        QVERIFY(child<SwitchControl>(&dialog, "BgColorSwitch")->isToggled());
        QCOMPARE(child<QSlider>(&dialog, "speedSplider")->value(), 9);
        QCOMPARE(child<QLabel>(&dialog, "lb_speedValue")->text(), QStringLiteral("9"));
        QCOMPARE(child<QLineEdit>(&dialog, "PosXEdit")->text(), QStringLiteral("100"));
        QCOMPARE(child<QLineEdit>(&dialog, "PosYEdit")->text(), QStringLiteral("50"));
        QCOMPARE(child<QWidget>(&dialog, "BgColorSetting")->styleSheet(),
                 "background:rgb(40,50,60)");
        QCOMPARE(dialog.fontColor(), QColor(10, 20, 30));
        QCOMPARE(dialog.backgroundColor(), QColor(40, 50, 60));
        emit MessageDistance::instance()->receiveTitleImfSig(QJsonObject{{"Move_dir", "up"}});
        QVERIFY(child<QPushButton>(&dialog, "RightBtn")->isChecked());
        QVERIFY(!child<SwitchControl>(&dialog, "IsShowCheck")->isToggled());
        QCOMPARE(child<QWidget>(&dialog, "ColorSetting")->styleSheet(),
                 "background:rgb(255,255,255)");
        QCOMPARE(m_fixture.settledCommands(), QStringList());
    }

    // Stored per port and loaded again; blank text is refused with a word, neither kept nor sent.
    void storedText()
    {
        QVERIFY(m_store->saveCaption(6, "it's \"quoted\"", "NoSuchFamily", 42, true, false, true));
        {
            TitleOrOsdDialog stored(m_store.get(), 6);
            QCOMPARE(child<QLineEdit>(&stored, "TextEdit")->text(), "it's \"quoted\"");
            QCOMPARE(child<QComboBox>(&stored, "FontSizeCombo")->currentText(), "42");
            QCOMPARE(child<QToolButton>(&stored, "BoldBtn")->isChecked(), true);
            QCOMPARE(child<QToolButton>(&stored, "ItalicBtn")->isChecked(), false);
            QCOMPARE(child<QToolButton>(&stored, "UnderlineBtn")->isChecked(), true);
        }
        TitleOrOsdDialog other(m_store.get(), 7);
        auto *text = child<QLineEdit>(&other, "TextEdit");
        QVERIFY(text->text().isEmpty());
        QCOMPARE(child<QComboBox>(&other, "FontSizeCombo")->currentText(), "35");
        for (const QString &blank : {QString(), QStringLiteral("   ")}) {
            text->setText(blank);
            ModalWatcher watcher;
            child<QPushButton>(&other, "uploadCharBtn")->click();
            QCOMPARE(watcher.lines().value(0).section('|', 2),
                     "Enter the text to show before uploading it.");
        }
        QVERIFY(!m_store->loadCaptions().contains(7));
        QCOMPARE(m_fixture.settledCommands(), QStringList());

        text->setText(QStringLiteral("Hi"));
        child<QComboBox>(&other, "FontSizeCombo")->setCurrentText(QStringLiteral("20"));
        child<QToolButton>(&other, "ItalicBtn")->setChecked(true);
        ModalWatcher notices;
        child<QPushButton>(&other, "uploadCharBtn")->click();
        const CaptionRecord saved = m_store->loadCaptions().value(7);
        QCOMPARE(saved.content, QStringLiteral("Hi"));
        QCOMPARE(saved.fontSize, 20);
        QVERIFY(saved.isItalic && !saved.isBold && !saved.isUnderline);
        QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 10000); // the finished notice
    }

    // Sent as it is (EDID) or as a bitmap, with progress as the device answers and the finished
    // notice on its acknowledgement; a file that cannot go is refused with a word, or silently.
    // Only OSD text has a 4K limit.
    void upload_data()
    {
        QTest::addColumn<QString>("kind"); // edid, osd (text), picture (OSD), caption (text)
        QTest::addColumn<int>("size");     // -1: no path given, -2: a missing file
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
        row("edid missing file", "edid", -2, true, {}, {});
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
        QFETCH(bool, reachable);
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
        if (size == -2)
            QFile::remove(path);
        if (!reachable)
            MessageDistance::instance()->setUploadPort(DialogFixture::closedPort());
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
        QCOMPARE(m_fixture.settledCommands(),
                 (sent ? QStringList{start, "{param=Done}"} : QStringList()));
        QCOMPARE(watcher.count(), int(!notice.isEmpty()));
        if (edid) {
            QCOMPARE(m_fixture.uploaded, sent ? bytes : QByteArray());
            QCOMPARE(m_fixture.packets, sent ? (size + 499) / 500 : 0);
        }
        QTRY_COMPARE(*values, progress);
        QVERIFY(button->isEnabled());
    }

    // A device that answers the first packet, then falls silent: after the answer timeout the
    // operator is told which picture did not arrive and the controls come back. The next upload
    // arrives whole, with progress per packet, and ends with the finished notice.
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
        QVERIFY(picture.save(m_fixture.file("stalled.png")));
        TitleOrOsdDialog dialog(nullptr, 5);
        dialog.setWindowTitle(QStringLiteral("[Input5] OSD Setting"));
        dialog.show();
        child<QLineEdit>(&dialog, "ImagePathEdit")->setText(m_fixture.file("stalled.png"));
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
        QCOMPARE(values->size(), 2); // one packet's worth, then back to 0
        QVERIFY(values->first() > 0);

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
        const QByteArray bytes = file.readAll();
        QCOMPARE(m_fixture.uploaded, bytes);
        // After packet k of n the queue holds n - k packets and the end command.
        QList<int> expected;
        for (int left = (bytes.size() + 499) / 500 - 1; left >= 1; --left)
            expected << CaptionBitmap::progressPercent(bytes.size(), left);
        QVERIFY(expected.size() >= 2);
        expected << 100 << 0;
        QTRY_COMPARE(*values, expected);
        QTRY_VERIFY_WITH_TIMEOUT(upload->isEnabled(), 5000);
        // The stalled upload was never declared complete.
        QCOMPARE(m_fixture.settledCommands(),
                 (QStringList{"{param=Upload_OSD5}", "{param=Upload_OSD5}", "{param=Done}"}));
    }

    // The first and last entries of both lists, so that an index off by one shows.
    void builtInAndCopy()
    {
        for (const auto &[input, builtIn, copyIndex] : {std::tuple{5, 4, 0}, std::tuple{9, 0, 8}}) {
            EdidSettingDilog dialog(input);
            auto *builtins = child<QComboBox>(&dialog, "cbb_builtinEdid");
            QCOMPARE(builtins->count(), 5);
            QCOMPARE(builtins->itemText(3), QStringLiteral("1080P@60/DVI"));
            builtins->setCurrentIndex(builtIn);
            child<QPushButton>(&dialog, "btnAppInputEDID")->click();
            child<QComboBox>(&dialog, "cbb_copyOutput")->setCurrentIndex(copyIndex);
            child<QPushButton>(&dialog, "btnCopyEDID")->click();
            QCOMPARE(m_fixture.settledCommands(),
                     (QStringList{
                         QStringLiteral("{param=EDID_Sel%1/%2}").arg(input).arg(builtIn),
                         QStringLiteral("{param=Copy_EDID%1/%2}").arg(input).arg(copyIndex + 1)}));
            m_fixture.clear();
        }
    }

    // Closing mid-upload asks; declining keeps the upload going, agreeing abandons it without
    // telling the device the file is complete.
    void closingMidUploadAsksThenAbandons()
    {
        // Not uploading: the buttons close at once, with their result.
        TitleOrOsdDialog caption(nullptr, -1);
        for (const auto &[name, result] : {std::pair{"OkBtn", 1}, {"btnClose", 0}}) {
            caption.show();
            caption.setResult(-1);
            ModalWatcher none;
            child<QPushButton>(&caption, name)->click();
            QCOMPARE(caption.result(), result);
            QVERIFY(!caption.isVisible() && none.count() == 0);
        }
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
        QCOMPARE(m_fixture.settledCommands(), QStringList{"{param=Update_EDID4}"});
    }

private:
    DialogFixture m_fixture;
    std::unique_ptr<CaptionStore> m_store;
};

QTEST_MAIN(TestPortSettingDialogs)
#include "tst_portsettingdialogs.moc"
