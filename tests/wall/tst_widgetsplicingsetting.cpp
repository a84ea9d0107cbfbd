// The splicing setting and the window property dialog against a recording loopback device.
#include "../common/look.h"
#include "../common/modalwatcher.h"
#include "walltestkit.h"

#include "state/devicestate.h"
#include "wall/dialogwindowproperty.h"
#include "wall/widgetsplicingsetting.h"

#include <QContextMenuEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
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

template <typename T> T *part(QWidget *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}
} // namespace

class TestWidgetSplicingSetting : public QObject
{
    Q_OBJECT

    LoopbackLink m_link;
    std::unique_ptr<WidgetSplicingSetting> m_setting;

    QString commands() { return m_link.received(); }
    QTableWidget *table() const { return part<QTableWidget>(m_setting.get(), "tw_real_screen"); }
    QComboBox *box(const QString &name) const { return part<QComboBox>(m_setting.get(), name); }
    QTableWidgetItem *screen(int n) const
    {
        return table()->item((n - 1) / table()->columnCount(), (n - 1) % table()->columnCount());
    }
    /// Right click on screen n as the window system delivers it, then entry `index`; the
    /// entries shown, the checked one marked.
    QStringList rotationMenu(int n, int index)
    {
        QStringList entries;
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            for (QAction *a : menu ? menu->actions() : QList<QAction *>())
                entries << a->text() + (a->isChecked() ? "*" : "");
            if (menu)
                QTest::mouseClick(menu, Qt::LeftButton, {},
                                  menu->actionGeometry(menu->actions().at(index)).center());
        });
        const QPoint at = table()->visualItemRect(screen(n)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, table()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(table()->viewport(), &event);
        return entries;
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

    // The boxes, a screen's menu and a selection, one after another: the bytes each sends and
    // the rotation box after it; then the same over a cut link. The store and the table follow.
    void operatorChoices()
    {
        DeviceState *store = DeviceState::instance();
        store->setVirMode(2);
        store->setOutputResolution({{1, "3840x2160x30Hz"}, {2, "800x600x60Hz"}});
        store->setRotateAngle({{1, 5}, {6, 3}});
        m_setting->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_setting.get()));
        // A resolution the list does not offer shows no entry; above 3 a rotation reads 0.
        QVERIFY_LOOK("splicing-start.txt", m_setting.get());
        QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
        QSignalSpy buttons(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout);
        const struct
        {
            const char *via;
            int index;
            const char *sent;
        } steps[] = {
            {"cbb_layout", 3, "{param=VIR3}"},
            {"cbb_resolu", 2, "{param=Port1/1280x720x60Hz!}"},
            {"cbb_rotate", 3, "{param=Rotate1/3}"},
            {"menu6", 0, "{param=Rotate1/0}"}, // whichever screen, output 1 turns the wall
            {"select6", 0, ""},                // the box shows the screen's own rotation
            {"select1,6", 0, ""},              // the selected screens differ: none
        };
        for (const auto &step : steps) {
            const QString via = QString::fromLatin1(step.via);
            if (via == "menu6") {
                const QStringList want{"0\u00b0", "90\u00b0", "180\u00b0", "270\u00b0*"};
                QCOMPARE(rotationMenu(6, step.index), want);
            } else if (via.startsWith("select")) { // as ctrl-clicks would
                table()->clearSelection();
                for (const QString &n : via.mid(6).split(','))
                    screen(n.toInt())->setSelected(true);
            } else {
                choose(box(via), step.index);
            }
            QCOMPARE(commands(), QLatin1String(step.sent));
            QVERIFY_LOOK(QStringLiteral("splicing-%1-%2.txt").arg(&step - steps).arg(via),
                         m_setting.get());
        }
        // Over a cut link each choice is refused and told; the form shows what the device has.
        MessageDistance *client = MessageDistance::instance();
        client->closeConnections();
        QVERIFY(QTest::qWaitFor([client] { return !client->isConnected(); }));
        QSignalSpy notSent(client, &MessageDistance::si_commandNotSent);
        choose(box("cbb_layout"), 2);
        choose(box("cbb_resolu"), 0);
        choose(box("cbb_rotate"), 3);
        ModalWatcher watcher(ModalWatcher::chooseColour(QColor(1, 2, 3)));
        QTest::mouseClick(part<QToolButton>(m_setting.get(), "toolButton_ColorPalette"),
                          Qt::LeftButton);
        QCOMPARE(notSent.count(), 4);
        QCOMPARE(m_setting->noInputColor(), QColor(Qt::black));
        QVERIFY(m_link.connect());
        QCOMPARE(commands(), QString());
        // What the store and the form hold after all of it.
        QCOMPARE(store->virMode(), 3);
        QCOMPARE(store->outputResolution(),
                 (QMap<int, QString>{{1, "1280x720x60Hz"}, {2, "800x600x60Hz"}}));
        QCOMPARE(store->rotateAngleAt(1), 0);
        QVERIFY_LOOK("splicing-end.txt", m_setting.get());
        QCOMPARE(recalculate.count(), 4);
        QCOMPARE(buttons.count(), 3);
    }

    void noInputColour_data()
    {
        QTest::addColumn<QString>("report"); // or the operator picks 10,200,30 or cancels
        QTest::addColumn<QColor>("shown");
        const auto row = [](const char *tag, const char *report, QColor shown = {40, 50, 60}) {
            QTest::newRow(tag) << report << shown;
        };
        row("chosen", "pick", QColor(10, 200, 30));
        row("cancelled", "cancel");
        row("another output", "{\"Chn\":3,\"Mode\":0,\"Color\":12,34,56}");
        row("out of range", "{\"Chn\":1,\"Mode\":0,\"Color\":12,34,256}");
        row("cut short", "{\"Chn\":1,\"Mode\":0,\"Col");
        row("two, quoted", "{\"Chn\":\"1\",\"Color\":\"1,2,3\"}{\"Chn\":2,\"Color\":9,9,9}",
            QColor(1, 2, 3));
    }
    void noInputColour()
    {
        QFETCH(QString, report);
        m_setting->sl_noSignalReport("{\"Chn\":1,\"Mode\":0,\"Color\":40,50,60}");
        if (report.startsWith('{')) {
            m_setting->sl_noSignalReport(report);
        } else {
            m_setting->show();
            ModalWatcher watcher(
                ModalWatcher::chooseColour(report == "pick" ? QColor(10, 200, 30) : QColor()));
            QTest::mouseClick(part<QToolButton>(m_setting.get(), "toolButton_ColorPalette"),
                              Qt::LeftButton);
            QCOMPARE(watcher.count(), 1);
        }
        QCOMPARE(commands(), report == "pick" ? "{param=No_Signal1/0/10/200/30}" : QString());
        QTEST(m_setting->noInputColor(), "shown");
    }

    // The property dialog's bytes are checked through the canvas (tst_outputwidget0409); here
    // what it refuses.
    void windowPropertyRefusals()
    {
        const QRectF at(0.25, 0.25, 0.5, 0.5);
        DialogWindowProperty dialog({2, 3, 2, at, QSize(0, 0)}, {{2, QStringLiteral("PC")}});
        auto *apply = part<QPushButton>(&dialog, "btn_apply");
        // Without a wall size nothing can be placed.
        QVERIFY(!apply->isEnabled() && !part<QPushButton>(&dialog, "btn_ok")->isEnabled());
        dialog.setWindow({2, 3, 2, at, QSize(5760, 3240)});
        QSignalSpy resize(&dialog, &DialogWindowProperty::si_resizeWindow);
        // Over a cut link the operator is told and nothing is asked of the canvas.
        MessageDistance::instance()->closeConnections();
        {
            ModalWatcher warning;
            QTest::mouseClick(apply, Qt::LeftButton);
            QCOMPARE(warning.count(), 1);
        }
        QVERIFY(m_link.connect());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(resize, (QList<QVariantList>{{2, at}}));
    }

    // The frameless window resizes by its edges and corners, never below what its content
    // needs, and moves by its title.
    void edgesResizeAndTheTitleMoves()
    {
        WidgetSplicingSetting *w = m_setting.get();
        w->setGeometry(100, 100, 900, 600);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        drag(w, QPoint(3, 3), QPoint(-37, -17));
        QCOMPARE(w->geometry(), QRect(60, 80, 940, 620));
        drag(w, QPoint(w->width() - 2, 300), QPoint(-2000, 300));
        QCOMPARE(w->geometry(), QRect(60, 80, w->minimumSizeHint().width(), 620));
        auto *title = part<QLabel>(w, "lb_title");
        const QPoint at = title->mapTo(w, title->rect().center());
        drag(w, at, at + QPoint(25, 40));
        QCOMPARE(w->geometry(), QRect(85, 120, w->minimumSizeHint().width(), 620));
        const QSize before = w->size();
        drag(w, QPoint(before.width() - 2, 618), QPoint(before.width() + 8, 648));
        QCOMPARE(w->size(), before + QSize(10, 30));
        // The pointer says which way an edge or a corner would go.
        const auto hover = [w](int x, int y) {
            QMouseEvent move(QEvent::MouseMove, QPoint(x, y), w->mapToGlobal(QPoint(x, y)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &move);
            return w->cursor().shape();
        };
        const int r = w->width() - 1, b = w->height() - 1;
        QCOMPARE((QList<Qt::CursorShape>{hover(1, 1), hover(r, 1), hover(1, b), hover(r, b),
                                         hover(r, 300), hover(300, b), hover(300, 300)}),
                 (QList<Qt::CursorShape>{Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,
                                         Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                         Qt::SizeHorCursor, Qt::SizeVerCursor, Qt::ArrowCursor}));
    }
};

QTEST_MAIN(TestWidgetSplicingSetting)
#include "tst_widgetsplicingsetting.moc"
