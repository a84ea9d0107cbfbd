// The splicing setting and the window property dialog against a recording loopback device.
#include "../common/modalwatcher.h"
#include "walltestkit.h"

#include "state/devicestate.h"
#include "wall/dialogwindowproperty.h"
#include "wall/tableitemsplicingrealscreen.h"
#include "wall/widgetsplicingsetting.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

namespace {
/// Press at from, move to to with the button held, release there (w's coordinates at the press).
void drag(QWidget *w, const QPoint &from, const QPoint &to)
{
    const QPoint global = w->mapToGlobal(to);
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
        const QPoint at = type == QEvent::MouseButtonPress ? from : w->mapFromGlobal(global);
        QMouseEvent event(
            type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
}

template <typename T> T *part(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

// Output 1's resolution (empty: never reported) and rotation before, the resolution entry shown.
struct Choice
{
    const char *via;
    int index;
    const char *stored;
    int rotated, resolutionIndex;
    const char *sent;
};

const QMap<int, QString> Inputs{{1, "Camera"}, {2, "PC"}, {3, "Input 3"}, {4, "Input 4"}};

WallWindowProperties window2(QSize wall = QSize(5760, 3240))
{
    // On a 5760 x 3240 wall: 1440.25 x 810.5 and so on, rounded halves up.
    return {2, 3, 2, QRectF(1440.25 / 5760, 810.5 / 3240, 2880.75 / 5760, 1619.4 / 3240), wall};
}
} // namespace
Q_DECLARE_METATYPE(Choice)

class TestWidgetSplicingSetting : public QObject
{
    Q_OBJECT

    LoopbackLink m_link;
    std::unique_ptr<WidgetSplicingSetting> m_setting;

    QString commands() { return m_link.received(); }
    QTableWidget *table() const { return part<QTableWidget>(m_setting.get(), "tw_real_screen"); }
    QComboBox *box(const QString &name) const
    {
        return part<QComboBox>(m_setting.get(), qPrintable(name));
    }
    QTableWidgetItem *screen(int n) const
    {
        return table()->item((n - 1) / table()->columnCount(), (n - 1) % table()->columnCount());
    }
    QList<int> shownBoxes() const
    {
        return {box("cbb_layout")->currentIndex(), box("cbb_resolu")->currentIndex(),
                box("cbb_rotate")->currentIndex()};
    }

private slots:
    void init()
    {
        QVERIFY(m_link.connect());
        DeviceState *store = DeviceState::instance();
        store->setDeviceType(Dev0409S);
        store->setVirMode(0);
        store->setOutputResolution({});
        store->setRotateAngle({});
        m_setting = std::make_unique<WidgetSplicingSetting>();
        m_setting->resize(900, 560);
        commands();
    }
    void cleanup() { m_setting.reset(); }

    // A box, a screen's menu, or screens selected (shows their rotation, sends nothing).
    void choice_data()
    {
        QTest::addColumn<Choice>("c");
        const char *const r = "1024x768x60Hz";
        // clang-format off
        QTest::newRow("3x3, nothing reported")   << Choice{"cbb_layout", 0, "", 1, 11, "{param=VIR0}"};
        // A stored rotation above 3 shows as 0, in the table and in the box.
        QTest::newRow("1x9, rotation 5")         << Choice{"cbb_layout", 1, "800x600x60Hz", 5, 0, "{param=VIR1}"};
        QTest::newRow("2x4")                     << Choice{"cbb_layout", 2, r, 0, 1, "{param=VIR2}"};
        QTest::newRow("4x2")                     << Choice{"cbb_layout", 3, "1280x720x60Hz", 1, 2, "{param=VIR3}"};
        QTest::newRow("resolution, not offered") << Choice{"cbb_resolu", 2, "3840x2160x30Hz", 3, -1, "{param=Port1/1280x720x60Hz!}"};
        QTest::newRow("box, 270")                << Choice{"cbb_rotate", 3, r, 0, 1, "{param=Rotate1/3}"};
        QTest::newRow("box, back to 0")          << Choice{"cbb_rotate", 0, r, 1, 1, "{param=Rotate1/0}"};
        // Whichever screen is clicked, the wall turns with output 1.
        QTest::newRow("menu on 1, back to 0")    << Choice{"menu1", 0, r, 2, 1, "{param=Rotate1/0}"};
        QTest::newRow("menu on 6, 90")           << Choice{"menu6", 1, r, 3, 1, "{param=Rotate1/1}"};
        QTest::newRow("select one at 270")       << Choice{"select6", 3, r, 0, 1, ""};
        QTest::newRow("select two that differ")  << Choice{"select1,6", -1, r, 0, 1, ""};
        QTest::newRow("select stored 7, reads 0") << Choice{"select1,2", 0, r, 7, 1, ""};
        // clang-format on
    }
    void choice()
    {
        QFETCH(Choice, c);
        const QString via = c.via, stored = c.stored;
        const int index = c.index, rotated = c.rotated;
        const bool layout = via == "cbb_layout", resolu = via == "cbb_resolu";
        const bool select = via.startsWith("select");
        const int shownBefore = rotated > 3 ? 0 : rotated;
        const int vir = layout ? index : 2;
        DeviceState *store = DeviceState::instance();
        store->setVirMode(layout ? 3 - index : 2);
        store->setOutputResolution({{1, stored}, {2, "800x600x60Hz"}});
        store->setRotateAngle({{1, rotated}, {6, 3}});
        m_setting->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_setting.get()));
        QCOMPARE(shownBoxes(),
                 QList<int>({layout ? 3 - index : 2, c.resolutionIndex, shownBefore}));
        QVERIFY(!(screen(1)->flags() & Qt::ItemIsEditable));
        QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
        QSignalSpy buttons(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout);
        if (via.startsWith("menu")) {
            QStringList entries;
            QTimer picker;
            connect(&picker, &QTimer::timeout, this, [&] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                if (!menu || !entries.isEmpty())
                    return;
                for (QAction *a : menu->actions())
                    entries << a->text() + (a->isChecked() ? "*" : "");
                QTest::mouseClick(menu, Qt::LeftButton, {},
                                  menu->actionGeometry(menu->actions().at(index)).center());
            });
            picker.start(10);
            // A right click as the window system delivers it to the table.
            const QPoint at = table()->visualItemRect(screen(via.mid(4).toInt())).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                    table()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(table()->viewport(), &event);
            QStringList want{"0\u00b0", "90\u00b0", "180\u00b0", "270\u00b0"};
            want[shownBefore] += "*";
            QCOMPARE(entries, want);
        } else if (select) {
            const QStringList picked = via.mid(6).split(',');
            for (int i = 0; i < picked.size(); ++i)
                QTest::mouseClick(table()->viewport(), Qt::LeftButton,
                                  i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                                  table()->visualItemRect(screen(picked.at(i).toInt())).center());
            QCOMPARE(table()->selectedItems().size(), picked.size());
        } else {
            choose(box(via), index);
        }
        const bool turned = !layout && !resolu && !select;
        const int rotation = turned ? index : shownBefore;
        const QString resolution = resolu ? "1280x720x60Hz" : stored;
        QCOMPARE(commands(), QLatin1String(c.sent));
        QCOMPARE(store->virMode(), vir);
        QCOMPARE(store->outputResolution(),
                 (QMap<int, QString>{{1, resolution}, {2, "800x600x60Hz"}}));
        QCOMPARE(store->rotateAngleAt(1), turned ? index : rotated);
        QCOMPARE(m_setting->rotateIndex(), rotation);
        QCOMPARE(box("cbb_rotate")->currentIndex(), select ? index : rotation);
        const int rows[] = {3, 1, 2, 4}; // screens are numbered row by row
        QCOMPARE(table()->rowCount(), rows[vir]);
        QStringList want, texts;
        for (int n = 1; n <= 9 - (vir > 1); ++n) {
            want << QStringLiteral("    %1\n    %2\n    %3")
                        .arg(n)
                        .arg(resolution.isEmpty() ? "1920x1080x60Hz" : resolution,
                             TableItemSplicingRealScreen::rotationText(
                                 QMap<int, int>{{1, rotation}, {6, 3}}.value(n)));
            texts << screen(n)->text();
        }
        QCOMPARE(texts, want);
        QCOMPARE(recalculate.count(), select ? 0 : 1);
        QCOMPARE(buttons.count(), resolu || select ? 0 : 1);
    }

    void changesRefusedWhileDisconnected()
    {
        DeviceState *store = DeviceState::instance();
        store->setVirMode(1);
        store->setOutputResolution({{1, QStringLiteral("1024x768x60Hz")}});
        store->setRotateAngle({{1, 2}});
        m_setting->show();
        MessageDistance *client = MessageDistance::instance();
        client->closeConnections();
        QVERIFY(QTest::qWaitFor([client] { return !client->isConnected(); }));
        QSignalSpy notSent(client, &MessageDistance::si_commandNotSent);
        QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
        QSignalSpy buttons(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout);
        choose(box("cbb_layout"), 2);
        choose(box("cbb_resolu"), 0);
        choose(box("cbb_rotate"), 3);
        ModalWatcher watcher(ModalWatcher::chooseColour(QColor(1, 2, 3)));
        QTest::mouseClick(part<QToolButton>(m_setting.get(), "toolButton_ColorPalette"),
                          Qt::LeftButton);
        // Each refusal is announced, and the form shows what the device still has.
        QCOMPARE(notSent.count(), 4);
        QCOMPARE(QList<int>({store->virMode(), store->rotateAngleAt(1), table()->columnCount()}),
                 QList<int>({1, 2, 9}));
        QCOMPARE(store->outputResolutionAt(1), QStringLiteral("1024x768x60Hz"));
        QCOMPARE(shownBoxes(), QList<int>({1, 1, 2}));
        QCOMPARE(m_setting->noInputColor(), QColor(Qt::black));
        QCOMPARE(recalculate.count() + buttons.count(), 0);
        QVERIFY(m_link.connect());
        QCOMPARE(commands(), QString());
    }

    void noInputColour_data()
    {
        QTest::addColumn<QString>("report"); // or the operator picks 10,200,30 or cancels
        QTest::addColumn<QColor>("shown");
        QTest::addColumn<QString>("sent");
        const auto row = [](const char *tag, const char *report, QColor shown = {40, 50, 60}) {
            QTest::newRow(tag) << report << shown << QString();
        };
        QTest::newRow("chosen") << "pick" << QColor(10, 200, 30)
                                << "{param=No_Signal1/0/10/200/30}";
        row("cancelled", "cancel");
        row("output 1", "{\"Chn\":1,\"Mode\":0,\"Color\":12,34,56}", QColor(12, 34, 56));
        row("quoted", "{\"Chn\":\"1\",\"Mode\":\"0\",\"Color\":\"7,8,9\"}", QColor(7, 8, 9));
        row("another output", "{\"Chn\":3,\"Mode\":0,\"Color\":12,34,56}");
        row("two parts", "{\"Chn\":1,\"Mode\":0,\"Color\":12,34}");
        row("out of range", "{\"Chn\":1,\"Mode\":0,\"Color\":12,34,256}");
        row("no colour", "{\"Chn\":1,\"Mode\":4}");
        row("cut short", "{\"Chn\":1,\"Mode\":0,\"Col");
        row("two reports", "{\"Chn\":1,\"Mode\":0,\"Color\":1,2,3}{\"Chn\":2,\"Color\":9,9,9}",
            QColor(1, 2, 3));
    }
    void noInputColour()
    {
        QFETCH(QString, report);
        QFETCH(QColor, shown);
        m_setting->sl_noSignalReport("{\"Chn\":1,\"Mode\":0,\"Color\":40,50,60}");
        auto *button = part<QToolButton>(m_setting.get(), "toolButton_ColorPalette");
        if (report.startsWith('{')) {
            m_setting->sl_noSignalReport(report);
        } else {
            m_setting->show();
            ModalWatcher watcher(report == "pick" ? ModalWatcher::chooseColour(QColor(10, 200, 30))
                                                  : [](QDialog *d) { d->reject(); });
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(watcher.count(), 1);
        }
        QTEST(commands(), "sent");
        QCOMPARE(m_setting->noInputColor(), shown);
        QCOMPARE(button->styleSheet(),
                 QString::asprintf("background-color: rgb(%d, %d, %d);border:none;", shown.red(),
                                   shown.green(), shown.blue()));
    }

    // The window is made once and kept: it follows a later change of language.
    void followsALanguageChange()
    {
        auto *title = m_setting->findChild<QLabel *>("lb_title");
        const QString english = title->text();
        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral(":/Chinese")));
        QCoreApplication::installTranslator(&chinese);
        const QString translated =
            QCoreApplication::translate("WidgetSplicingSetting", "Splicing Settings");
        QVERIFY(translated != english);
        QTRY_COMPARE(title->text(), translated);
        QCoreApplication::removeTranslator(&chinese);
        QTRY_COMPARE(title->text(), english);
    }

    void modalLoopEndsOnCloseAndOnALaterCall()
    {
        QStringList returned;
        QTimer::singleShot(0, this, [&] {
            QCOMPARE(QApplication::activeModalWidget(), m_setting.get());
            // A second opening ends the first loop; the close then ends the second.
            QTimer::singleShot(0, this, [&] {
                QTest::mouseClick(part<QPushButton>(m_setting.get(), "btn_close"), Qt::LeftButton);
            });
            m_setting->showModalLoop();
            returned << QStringLiteral("second");
        });
        m_setting->showModalLoop();
        returned << QStringLiteral("first");
        QCOMPARE(returned, QStringList({"second", "first"}));
        QVERIFY(!m_setting->isVisible());
        // Opened from a window, it shows over that window, not at the screen's corner.
        QWidget owner;
        owner.setGeometry(300, 200, 1000, 700);
        owner.show();
        WidgetSplicingSetting placed(&owner);
        QTimer::singleShot(0, this, [&] { placed.close(); });
        placed.showModalLoop();
        QVERIFY((placed.geometry().center() - owner.geometry().center()).manhattanLength() <= 2);
    }

    // Requests carry fractions of the wall (the canvas scales them): x, y, width, height here.
    // Edges and corners resize, down to what the content needs; the title moves the window.
    void edgesResizeAndTheRestDrags()
    {
        WidgetSplicingSetting *w = m_setting.get();
        w->setGeometry(100, 100, 900, 600);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        drag(w, QPoint(3, 3), QPoint(-37, -17)); // the top-left corner moves both edges
        QCOMPARE(w->geometry(), QRect(60, 80, 940, 620));
        drag(w, QPoint(400, w->height() - 2), QPoint(400, w->height() + 48));
        QCOMPARE(w->geometry(), QRect(60, 80, 940, 670));
        // Shrinking stops at the size the content needs.
        drag(w, QPoint(w->width() - 2, 300), QPoint(-2000, 300));
        QCOMPARE(w->geometry(), QRect(60, 80, w->minimumSizeHint().width(), 670));
        drag(w, QPoint(2, 300), QPoint(2000, 300));
        QCOMPARE(w->geometry(), QRect(60, 80, w->minimumSizeHint().width(), 670));
        // A press on the title moves the window without resizing it.
        auto *title = part<QLabel>(w, "lb_title");
        const QPoint at = title->mapTo(w, title->rect().center());
        drag(w, at, at + QPoint(25, 40));
        QCOMPARE(w->geometry(), QRect(85, 120, w->minimumSizeHint().width(), 670));
    }

    void propertyApply_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("inputIndex"); // -2: untouched
        QTest::addColumn<QString>("typedWidth");
        QTest::addColumn<QString>("request");
        QTest::newRow("input and size") << "btn_apply" << 3 << "1000"
                                        << "open 2 4 Input 4 1440 811 1000 1619";
        QTest::newRow("no entry keeps input") << "btn_apply" << -1 << "1000"
                                              << "resize 2 1440 811 1000 1619";
        // A window of no width could never be seen or grabbed again.
        QTest::newRow("width 0 refused") << "btn_ok" << -2 << "0"
                                         << "resize 2 1440 811 2881 1619";
        QTest::newRow("cancel") << "btn_cancel" << 0 << "1000"
                                << "";
    }
    void propertyApply()
    {
        QFETCH(QString, button);
        DialogWindowProperty dialog(window2(), Inputs);
        QCOMPARE(part<QLineEdit>(&dialog, "le_id")->text() +
                     part<QLineEdit>(&dialog, "le_layer")->text() +
                     part<QComboBox>(&dialog, "cbb_source")->currentText(),
                 "23PC");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList requests;
        const auto record = [&](const QString &what, const QRectF &r) {
            QStringList wall{what};
            for (double v : {r.x() * 5760, r.y() * 3240, r.width() * 5760, r.height() * 3240})
                wall << QString::number(DialogWindowProperty::roundHalfUp(v));
            requests << wall.join(' ');
        };
        connect(&dialog, &DialogWindowProperty::si_resizeWindow, this,
                [&](int id, const QRectF &r) { record(QStringLiteral("resize %1").arg(id), r); });
        connect(&dialog, &DialogWindowProperty::si_reopenWindow, this,
                [&](int id, int input, const QString &name, const QRectF &r) {
                    record(QStringLiteral("open %1 %2 %3").arg(id).arg(input).arg(name), r);
                });
        QFETCH(int, inputIndex);
        if (inputIndex != -2)
            part<QComboBox>(&dialog, "cbb_source")->setCurrentIndex(inputIndex);
        auto *width = part<QSpinBox>(&dialog, "sb_width");
        width->selectAll();
        QFETCH(QString, typedWidth);
        QTest::keyClicks(width, typedWidth);
        QTest::keyClick(width, Qt::Key_Tab);
        QTest::mouseClick(part<QPushButton>(&dialog, qPrintable(button)), Qt::LeftButton);
        QTEST(requests.join(QLatin1Char('|')), "request");
        QCOMPARE(dialog.isVisible(), button == "btn_apply");
        QCOMPARE(dialog.result(), button == "btn_ok" ? 1 : 0);
        if (button == "btn_apply") { // again without a change: the window has its new input now
            requests.clear();
            QTest::mouseClick(part<QPushButton>(&dialog, "btn_apply"), Qt::LeftButton);
            QVERIFY(requests.join(QString()).startsWith(QStringLiteral("resize 2 ")));
        }
        QCOMPARE(commands(), QString());
    }

    void propertyWithoutWallSizeAndWindowGone()
    {
        // Halves round up on both sides of zero, as the canvas rounds them.
        QCOMPARE((QList<int>{DialogWindowProperty::roundHalfUp(2.5),
                             DialogWindowProperty::roundHalfUp(-2.5),
                             DialogWindowProperty::roundHalfUp(-2.6)}),
                 (QList<int>{3, -2, -3}));
        DialogWindowProperty dialog(window2(QSize(0, 0)), Inputs);
        QSignalSpy resize(&dialog, &DialogWindowProperty::si_resizeWindow);
        auto *apply = part<QPushButton>(&dialog, "btn_apply");
        QVERIFY(!apply->isEnabled() && !part<QPushButton>(&dialog, "btn_ok")->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(resize.count(), 0);
        // Once the wall has a size again the dialog works, but not over a cut link.
        dialog.setWindow(window2(QSize(1, 1)));
        QVERIFY(apply->isEnabled());
        dialog.setWindow(window2());
        MessageDistance::instance()->closeConnections();
        {
            ModalWatcher warning;
            QTest::mouseClick(apply, Qt::LeftButton);
            QCOMPARE(warning.count(), 1);
        }
        QCOMPARE(resize.count(), 0);
        QVERIFY(m_link.connect());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(resize.count(), 1);
        // A report taking another window off leaves it open (its own: tst_outputwidget0409).
        dialog.show();
        dialog.sl_windowRemoved(1);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestWidgetSplicingSetting)
#include "tst_widgetsplicingsetting.moc"
