#include "dialogfixture.h"
#include "modalwatcher.h"

#include "app/startup.h"
#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/volumnsettingdialog.h"
#include "state/sigmanager.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

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
    const auto buttons = dialog->findChildren<QRadioButton *>();
    for (QRadioButton *b : buttons) {
        if (b->isChecked())
            names << b->objectName();
    }
    return names.join(QLatin1Char(','));
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
    void cleanupTestCase() { m_fixture.stop(); }
    void init() { m_fixture.reset(); }

    void scalingButtons_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("preselected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("stored 2, unchanged")
            << 2 << QString() << "radioButton_black"
            << "pushButton" << QStringList{"{param=Scaler_Mode4/2}"};
        QTest::newRow("stored 0, choose crop")
            << 0 << "radioButton_tailor"
            << "radioButton_full"
            << "pushButton" << QStringList{"{param=Scaler_Mode4/3}"};
        QTest::newRow("stored 3, choose squeeze")
            << 3 << "radioButton_full"
            << "radioButton_tailor"
            << "pushButton" << QStringList{"{param=Scaler_Mode4/0}"};
        // Mode 1 is not offered: nothing is preselected and OK sends nothing.
        QTest::newRow("stored 1") << 1 << QString() << QString() << "pushButton" << QStringList();
        QTest::newRow("cancel") << 0 << "radioButton_black"
                                << "radioButton_full"
                                << "pushButton_2" << QStringList();
        QTest::newRow("close") << 0 << "radioButton_black"
                               << "radioButton_full"
                               << "btnClose" << QStringList();
    }

    void scalingButtons()
    {
        QFETCH(int, stored);
        QFETCH(QString, click);
        QFETCH(QString, preselected);
        QFETCH(QString, button);
        QFETCH(QStringList, sent);
        DeviceState::instance()->setScalingModeAt(4, stored);
        CDlgScalingmode dialog;
        dialog.setPort(4);
        QCOMPARE(checkedButton(&dialog), preselected);
        // Choosing alone sends nothing; only OK does.
        if (!click.isEmpty())
            child<QRadioButton>(&dialog, click)->click();
        QCOMPARE(m_fixture.settledCommands(), QStringList());
        child<QPushButton>(&dialog, button)->click();
        QCOMPARE(dialog.result(),
                 int(button == "pushButton" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(m_fixture.settledCommands(), sent);
    }

    void scalingReport_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("storedAfter");
        QTest::newRow("own port, quoted") << R"({"Chn":"5","Scaler_Mode":"2"})"
                                          << "radioButton_black" << 2;
        // An unused mode is stored but selects nothing new.
        QTest::newRow("own port, mode 1") << R"({"Chn":5,"Scaler_Mode":1})"
                                          << "radioButton_black" << 1;
        QTest::newRow("port 55 is not 5") << R"({"Chn":55,"Scaler_Mode":3})"
                                          << "radioButton_black" << 2;
        QTest::newRow("unreadable mode") << R"({"Chn":5,"Scaler_Mode":x})"
                                         << "radioButton_black" << 2;
        QTest::newRow("not a report") << "garbage"
                                      << "radioButton_black" << 2;
    }

    void scalingReport()
    {
        QFETCH(QString, report);
        QFETCH(QString, checked);
        QFETCH(int, storedAfter);
        DeviceState::instance()->setScalingModeAt(5, 2);
        DeviceState::instance()->setScalingModeAt(55, 0);
        CDlgScalingmode dialog;
        dialog.setPort(5);
        dialog.sl_StateUpdate(report);
        QCOMPARE(checkedButton(&dialog), checked);
        QCOMPARE(DeviceState::instance()->scalingModeAt(5), storedAfter);
        QCOMPARE(DeviceState::instance()->scalingModeAt(55), 0);
        QCOMPARE(m_fixture.settledCommands(), QStringList());
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
        // Clicking the selected button again changes nothing and sends nothing.
        child<QRadioButton>(&dialog, PatternButtons[10])->click();
        QVERIFY(!palette->isVisible());

        child<QRadioButton>(&dialog, "radioButton_SolidColor")->click();
        QVERIFY(palette->isVisible());
        // Black goes out at once, before any colour is chosen.
        QCOMPARE(m_fixture.waitForCommands(11).mid(10), QStringList{"{param=No_Signal3/0/0/0/0}"});
        {
            ModalWatcher pickRed(ModalWatcher::chooseColour(QColor(200, 10, 30)));
            palette->click();
            QCOMPARE(pickRed.count(), 1);
        }
        QCOMPARE(dialog.color(), QColor(200, 10, 30));
        QVERIFY(palette->styleSheet().contains("rgb(200, 10, 30)"));
        {
            // A cancelled chooser keeps the colour and sends nothing.
            ModalWatcher cancel;
            palette->click();
            QCOMPARE(cancel.count(), 1);
        }
        QCOMPARE(dialog.color(), QColor(200, 10, 30));

        // Leaving pure colour hides the colour button.
        child<QRadioButton>(&dialog, "radioButton_RedGrid")->click();
        QVERIFY(!palette->isVisible());
        expected << "{param=No_Signal3/0/0/0/0}"
                 << "{param=No_Signal3/0/200/10/30}"
                 << "{param=No_Signal3/5/0/0/0}";
        QCOMPARE(m_fixture.settledCommands(), expected);
    }

    void noSignalReport_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("paletteStyle");
        QTest::newRow("pattern 7") << R"({"Chn":1,"Mode":7,"Color":0,0,0})"
                                   << "radioButton_BlueGrid" << QString();
        QTest::newRow("quoted colour") << R"({"Chn":1,"Mode":"0","Color":"12,34,56"})"
                                       << "radioButton_SolidColor"
                                       << "rgb(12, 34, 56)";
        QTest::newRow("two-part colour") << R"({"Chn":1,"Mode":0,"Color":12,34})"
                                         << "radioButton_SolidColor"
                                         << "rgb(0, 0, 0)";
        QTest::newRow("unknown mode clears")
            << R"({"Chn":1,"Mode":11,"Color":0,0,0})" << QString() << QString();
    }

    void noSignalReport()
    {
        QFETCH(QString, report);
        QFETCH(QString, checked);
        QFETCH(QString, paletteStyle);
        CDlgnosignaloutput dialog;
        dialog.setPort(1);
        dialog.show();
        child<QRadioButton>(&dialog, "radioButton_WhiteGrid")->click();
        m_fixture.clear();

        dialog.sl_StateUpdate(report);
        QCOMPARE(checkedButton(&dialog), checked);
        // The colour button shows exactly when pure colour is chosen.
        auto *palette = child<QToolButton>(&dialog, "toolButton_ColorPalette");
        QCOMPARE(palette->isVisible(), !paletteStyle.isEmpty());
        QVERIFY2(palette->styleSheet().contains(paletteStyle), qPrintable(palette->styleSheet()));
        // The device's choice is shown, not sent back.
        QCOMPARE(m_fixture.settledCommands(), QStringList());
    }

    void graphicsTestSendsEachPattern_data()
    {
        QTest::addColumn<bool>("isOutput");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("output") << true << "Out_Pattern";
        QTest::newRow("input") << false << "In_Pattern";
    }

    void graphicsTestSendsEachPattern()
    {
        QFETCH(bool, isOutput);
        QFETCH(QString, keyword);
        GraphicsTestDialog dialog(7, isOutput);
        dialog.show();
        QStringList expected;
        for (int pattern = 0; pattern < 12; ++pattern) {
            child<QRadioButton>(&dialog, PatternButtons[pattern])->click();
            expected << QStringLiteral("{param=%1%2/%3}").arg(keyword).arg(7).arg(pattern);
        }
        // Unlike the no-signal dialog, there is no colour to choose.
        QVERIFY(!child<QWidget>(&dialog, "widget_color")->isVisible());
        for (const char *name : {"pushButton", "pushButton_2", "btnClose"})
            child<QPushButton>(&dialog, name)->click();
        QCOMPARE(m_fixture.settledCommands(), expected);
    }

    // Opens on the stored volume and mute, toggles mute, then follows the store.
    void volumeFollowsTheStore_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("openedFor");
        QTest::addColumn<int>("port");
        QTest::newRow("0409-S port 103") << int(Dev0409S) << 103 << 3;
        QTest::newRow("0809 port 103") << int(Dev0809) << 103 << 103;
    }

    void volumeFollowsTheStore()
    {
        QFETCH(int, type);
        QFETCH(int, openedFor);
        QFETCH(int, port);
        DeviceState *state = DeviceState::instance();
        state->setDeviceType(deviceTypeFromInt(type));
        state->setVolume({{port, 42}, {port + 1, 7}});
        state->setMute({{port, 1}});
        VolumnSettingDialog dialog(openedFor);
        QCOMPARE(dialog.port(), port);
        auto *slider = child<QSlider>(&dialog, "volumnSplider");
        auto *label = child<QLabel>(&dialog, "volumnLabel");
        QCOMPARE(slider->value(), 42);
        QCOMPARE(label->text(), QStringLiteral("42"));
        QVERIFY(dialog.isMuted());
        child<QPushButton>(&dialog, "btn_mute")->click();
        QVERIFY(!dialog.isMuted());
        child<QPushButton>(&dialog, "btn_mute")->click();
        QVERIFY(dialog.isMuted());

        state->setVolume({{port, 88}});
        state->setMute({{port, 0}});
        QCOMPARE(slider->value(), 88);
        QCOMPARE(label->text(), QStringLiteral("88"));
        QVERIFY(!dialog.isMuted());
        // The refresh itself sends nothing.
        QCOMPARE(m_fixture.settledCommands(),
                 (QStringList{"{param=Get_Volume}", QStringLiteral("{param=MuteOff%1}").arg(port),
                              QStringLiteral("{param=MuteOn%1}").arg(port)}));
    }

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

        // Drag the handle: nothing goes out until the release, then exactly one command.
        QTest::mousePress(slider, Qt::LeftButton, {}, handle);
        QVERIFY(slider->isSliderDown());
        QMouseEvent move(QEvent::MouseMove, handle + QPoint(30, 0), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
        QCOMPARE(m_fixture.settledCommands(), QStringList());
        QTest::mouseRelease(slider, Qt::LeftButton, {}, handle + QPoint(30, 0));
        const int dragged = slider->value();
        QVERIFY(dragged > 50);
        QCOMPARE(m_fixture.settledCommands(),
                 QStringList{QStringLiteral("{param=Volume2/%1}").arg(dragged)});
        QCOMPARE(DeviceState::instance()->volumeAt(2), dragged);

        // A click on the groove, ends included, puts the handle there and sends that value, once.
        for (const auto &[fraction, expected] : {std::pair{0.75, 75}, {0.0, 0}, {1.0, 100}}) {
            m_fixture.clear();
            const int x = qBound(1, int(slider->width() * fraction), slider->width() - 2);
            QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(x, slider->height() / 2));
            const int clicked = slider->value();
            QVERIFY2(qAbs(clicked - expected) <= 4, qPrintable(QString::number(clicked)));
            QCOMPARE(m_fixture.settledCommands(),
                     QStringList{QStringLiteral("{param=Volume2/%1}").arg(clicked)});
            QCOMPARE(child<QLabel>(&dialog, "volumnLabel")->text(), QString::number(clicked));
        }
    }

    // Placed over its owner before its window exists (one moved later may stay in the screen's
    // corner); its lists, colour chooser and message boxes open by it. The frameless dialog
    // places every dialog; these two open all the kinds of pop-up.
    void popUpsOpenByTheirOwner_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("popUps"); // message box, colour chooser
        QTest::newRow("EDID") << "edid" << 1;
        QTest::newRow("caption") << "caption" << 2;
    }

    void popUpsOpenByTheirOwner()
    {
        QFETCH(QString, kind);
        QFETCH(int, popUps);
        QWidget owner;
        owner.setGeometry(40, 30, 700, 540);
        owner.show();
        QScopedPointer<QDialog> dialog;
        if (kind == "edid")
            dialog.reset(new EdidSettingDilog(3, &owner));
        else
            dialog.reset(new TitleOrOsdDialog(nullptr, -1, &owner));
        CreationWatch watch;
        dialog->installEventFilter(&watch);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.data()));
        QCOMPARE(watch.created, dialog->geometry());
        const QRect placed = dialog->frameGeometry();
        QVERIFY(placed.contains(owner.frameGeometry().center()));

        for (QComboBox *combo : dialog->findChildren<QComboBox *>()) {
            if (!combo->isVisible())
                continue;
            const QRect box(combo->mapToGlobal(QPoint(0, 0)), combo->size());
            combo->showPopup();
            QTRY_VERIFY(QApplication::activePopupWidget());
            const QRect popup = QApplication::activePopupWidget()->frameGeometry();
            // Under the combo, or over it where the screen ends.
            QVERIFY2((popup.topLeft() - box.bottomLeft()).manhattanLength() <= 4 ||
                         (popup.bottomLeft() - box.topLeft()).manhattanLength() <= 4,
                     qPrintable(combo->objectName()));
            combo->hidePopup();
        }

        QList<QRect> opened;
        ModalWatcher watcher([&opened](QDialog *d) {
            opened << d->frameGeometry();
            d->reject();
        });
        if (kind == "edid") {
            const QString empty = m_fixture.workDir() + "/empty.bin";
            QFile(empty).open(QIODevice::WriteOnly);
            child<QLineEdit>(dialog.data(), "le_edidPath")->setText(empty);
            child<QPushButton>(dialog.data(), "UploadBtn")->click();
        } else {
            child<QPushButton>(dialog.data(), "uploadCharBtn")->click(); // no text yet
            child<QToolButton>(dialog.data(), "ColorSetting")->click();
        }
        QCOMPARE(opened.size(), popUps);
        // The message box centred, the colour chooser over the dialog.
        QVERIFY((opened.first().center() - placed.center()).manhattanLength() <= 2);
        QVERIFY(placed.contains(opened.last().center()));
    }

private:
    DialogFixture m_fixture;
};

QTEST_MAIN(TestPortSettingDialogs)
#include "tst_portsettingdialogs.moc"
