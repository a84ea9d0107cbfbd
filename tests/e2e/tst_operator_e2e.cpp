// The operator's tools beyond routing, against the device simulator with a second client
// where another operator matters: undo and redo of one's own routing.
#include "simwindow.h"

#include "state/devicestate.h"
#include "wall/planpushbutton.h"

#include <QPushButton>

class TestOperatorE2E : public SimWindowTest
{
    Q_OBJECT

    QPushButton *button(const char *name) const
    {
        return m_window->findChild<QPushButton *>(QLatin1String(name));
    }
    void keys(Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(m_window.get(), Qt::Key_Z, modifiers);
    }

private slots:
    void init() { initWindowTest(); }
    void cleanup() { cleanupWindowTest(); }

    void undoAndRedoOwnRoutingOnly()
    {
        QVERIFY(start(QStringLiteral("0809"), 1) && openWindow());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
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
        QCOMPARE(m_sim->routes(QStringLiteral("video")).value(5), 3);

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
        QApplication::sendEvent(button("btn_plan2"), &dbl);
        QTRY_COMPARE_WITH_TIMEOUT(undo->toolTip(), QStringLiteral("Undo: plan 2"), 5000);
        QCOMPARE(shownInput(5), 7);
        mark();
        undo->click();
        // HDMI audio follows video here, so the plan changed it too.
        QCOMPARE(sent(), QStringLiteral("{param=1VIDEO4} {param=1VIDEO5} {param=101AUDIO104} "
                                        "{param=101AUDIO105}"));
        QCOMPARE(QList<int>({shownInput(4), shownInput(5)}), QList<int>({1, 1}));
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestOperatorE2E)
#include "tst_operator_e2e.moc"
