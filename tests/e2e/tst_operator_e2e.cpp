// The operator's tools beyond routing, against the device simulator with a second client
// where another operator matters: undo and redo of one's own routing, take mode, the
// activity log and the mark another client's change leaves on a cell.
#include "../common/look.h"
#include "simwindow.h"

#include "mainwindow/activitypage.h"
#include "mainwindow/tableitemwidget.h"
#include "storage/activitystore.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/svgcheckbox.h"
#include "wall/splicegroups.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>

class TestOperatorE2E : public SimWindowTest
{
    Q_OBJECT

    QPushButton *button(const char *name) const
    {
        return m_window->findChild<QPushButton *>(QLatin1String(name));
    }
    void keys(Qt::KeyboardModifiers modifiers, Qt::Key key = Qt::Key_Z)
    {
        QTest::keyClick(m_window.get(), key, modifiers);
    }
    bool openActive()
    {
        if (!start(QStringLiteral("0809"), 1) || !openWindow())
            return false;
        m_window->show();
        m_window->activateWindow();
        return QTest::qWaitForWindowActive(m_window.get());
    }
    QString pending(int output) const
    {
        const TableItemWidget *cell = videoTable()->cellForOutput(output);
        return cell->pendingText() + (cell->isPendingStale() ? "!" : "");
    }
    /// Answers the next three-way question with `choice`.
    void answer(int choice)
    {
        QTimer::singleShot(0, this, [choice] {
            if (auto *ask = qobject_cast<DialogConfirm3Btn *>(QApplication::activeModalWidget()))
                ask->done(choice);
        });
    }

private slots:
    void init() { initWindowTest(); }
    void cleanup() { cleanupWindowTest(); }

    void undoAndRedoOwnRoutingOnly()
    {
        QVERIFY(openActive());
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 5, 5000);
        QPushButton *undo = button("btnUndo");
        QPushButton *redo = button("btnRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());

        mark();
        dropOnOutput(3, 5);
        dropOnOutput(3, 5); // the same route again is no step
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo: input 3 → output 5"));
        keys(Qt::ControlModifier);
        QCOMPARE(shownInput(5), 5);
        QCOMPARE(redo->toolTip(), QStringLiteral("Redo: input 3 → output 5"));
        QVERIFY(!undo->isEnabled());
        keys(Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO5} {param=3VIDEO5} {param=5VIDEO5} "
                                        "{param=3VIDEO5}"));

        // Another operator's later change to output 5 is never undone from here.
        dropOnOutput(2, 6);
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO5}")));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 7, 5000);
        undo->click();
        undo->click();
        QCOMPARE(sent(), QStringLiteral("{param=2VIDEO6} {param=6VIDEO6}"));
        QVERIFY(!undo->isEnabled());

        // A recalled plan is one step: undone, every route it changed goes back.
        for (const char *command : {"Save2", "1VIDEO4", "1VIDEO5"})
            QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=%1}").arg(command)));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 1, 5000);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QSignalSpy binds(MessageDistance::instance(), &MessageDistance::receiveBindInfoSig);
        QApplication::sendEvent(button("btn_plan2"), &dbl);
        QTRY_COMPARE_WITH_TIMEOUT(undo->toolTip(), QStringLiteral("Undo: plan 2"), 5000);
        QCOMPARE(shownInput(5), 7);
        QTRY_VERIFY(!binds.isEmpty()); // the recall's last query is out: its answer is in
        mark();
        undo->click();
        // HDMI audio follows video here, so the plan changed it too.
        QCOMPARE(sent(), QStringLiteral("{param=1VIDEO4} {param=1VIDEO5} {param=101AUDIO104} "
                                        "{param=101AUDIO105}"));
        QCOMPARE(QList<int>({shownInput(4), shownInput(5)}), QList<int>({1, 1}));

        // A splice is one step: undone, the group goes and its outputs show what they did.
        const int second = shownInput(2);
        videoTable()->clearSelection();
        videoTable()->itemForOutput(1)->setSelected(true);
        videoTable()->itemForOutput(2)->setSelected(true);
        mark();
        m_window->splitManager()->toggleSplice(2);
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo: splice outputs 1, 2"));
        undo->click();
        redo->click();
        QCOMPARE(sent(), QStringLiteral("{param=Bind1/2} {param=UnBind1} {param=%1VIDEO2} "
                                        "{param=Bind1/2} {param=%2VIDEO2}")
                             .arg(second)
                             .arg(shownInput(1)));
        QCOMPARE(m_window->splitManager()->groupOf(2), QList<int>({1, 2}));
        QVERIFY(m_messages.isEmpty());
    }

    void takeModeStagesUntilTake()
    {
        QVERIFY(openActive());
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(9), 1, 5000);
        auto *takeMode = m_window->findChild<SvgCheckBox *>(QStringLiteral("cb_takeMode"));
        // The take bar belongs to the routing pages only.
        auto *tabs = m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        tabs->setCurrentIndex(4);
        QVERIFY(!takeMode->isVisible());
        tabs->setCurrentIndex(2);
        QVERIFY(takeMode->isVisible());
        tabs->setCurrentIndex(0);
        takeMode->click();
        mark();
        dropOnOutput(3, 5);
        dropOnOutput(4, 9);
        dropOnOutput(2, 9); // a second drop on an output replaces its stage
        // Staged, not routed: the cells and the take bar say so.
        QVERIFY_LOOK("take-staged.txt", m_window->findChild<QWidget *>("bodyWidget"));
        QCOMPARE(sent(), QString());

        // Another operator routes output 9: its stage is stale and goes only if confirmed.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO9}")));
        QTRY_COMPARE_WITH_TIMEOUT(pending(9), QStringLiteral("Stale: [2] Input 2!"), 5000);
        QVERIFY_LOOK("take-stale.txt", m_window->findChild<QWidget *>("bodyWidget"));
        answer(DialogConfirm3Btn::No);
        keys(Qt::NoModifier, Qt::Key_Return);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO5}"));
        QCOMPARE(QList<int>({shownInput(5), shownInput(9)}), QList<int>({3, 7}));
        QCOMPARE(pending(5) + pending(9), QString());
        QCOMPARE(button("btnUndo")->toolTip(), QStringLiteral("Undo: input 3 → output 5"));

        // Escape drops the stages; leaving take mode with stages asks first.
        m_window->activateWindow(); // as the window manager does after the question
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        dropOnOutput(6, 1);
        keys(Qt::NoModifier, Qt::Key_Escape);
        QCOMPARE(pending(1), QString());
        dropOnOutput(6, 2);
        QTimer::singleShot(0, this, [] {
            if (auto *ask = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                ask->reject();
        });
        takeMode->click();
        QVERIFY(takeMode->isChecked());
        QCOMPARE(pending(2), QStringLiteral("Take: [6] Input 6"));
        QCOMPARE(sent(), QString());
        QVERIFY(m_messages.isEmpty());
    }

    void activityLogAndChangeMarks()
    {
        QVERIFY(openActive());
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 5, 5000);
        dropOnOutput(3, 5);
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO9}")));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(9), 7, 5000);
        // The cell another client changed says so for a minute; the operator's own does not.
        QVERIFY_LOOK("change-marks.txt", videoTable());

        auto *page = m_window->findChild<ActivityPage *>();
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentWidget(page);
        QTableWidget *rows = page->table();
        // Written a moment later; the page on screen shows it as it comes.
        QTRY_COMPARE_WITH_TIMEOUT(rows->rowCount(), 2, 5000);
        // A week's period leaves out what is a little older.
        QVERIFY(ActivityStore().record({{QDateTime::currentDateTimeUtc().addSecs(-7 * 86400 - 3600),
                                         "ADMIN", false, "video", 1, "last week"}}));
        auto *period = page->findChild<QComboBox *>(QStringLiteral("activityPeriod"));
        period->setCurrentIndex(2);
        QCOMPARE(rows->rowCount(), 2);
        period->setCurrentIndex(4); // by hand: the dates open, the last day as they start
        QVERIFY_LOOK("activity-by-hand.txt", page);
        period->setCurrentIndex(3);
        QCOMPARE(rows->rowCount(), 3);
        QCOMPARE(page->findChild<QLabel *>("activityStatus")->text(), QStringLiteral("3 changes"));
        // Newest first: another client's change on output 9, then the operator's on 5.
        QVERIFY_LOOK("activity-month.txt", page);
        QTemporaryDir dir;
        QString error;
        QVERIFY(page->exportTo(dir.filePath("log.csv"), &error));
        QFile csv(dir.filePath("log.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().count('\n'), 4);
        QVERIFY(!page->exportTo(dir.filePath("missing/log.csv"), &error) && !error.isEmpty());
    }
};

QTEST_MAIN(TestOperatorE2E)
#include "tst_operator_e2e.moc"
