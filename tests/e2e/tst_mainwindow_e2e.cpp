// The whole application against the device simulator: the start's queries, routing by drag and
// drop and by another client, reconnection, port rights, splice groups, plans and multiview.
#include "../common/look.h"
#include "simwindow.h"

#include "mainwindow/tableitemwidget.h"
#include "uikit/labelclickedintableitem.h"

#include "state/devicestate.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"
#include "wall/videosplitmanager.h"

#include <QSignalSpy>
#include <QTabWidget>

using Groups = QMap<int, QList<int>>;

class TestMainWindowE2E : public SimWindowTest
{
    Q_OBJECT

    VideoSplitManager *manager() const
    {
        return dynamic_cast<VideoSplitManager *>(m_window->splitManager());
    }
    /// The window against `model` once its first bind report has replaced all groups.
    bool openWithGroups(const QString &model)
    {
        QSignalSpy binds(MessageDistance::instance(), &MessageDistance::receiveBindInfoSig);
        return start(model, 1) && openWindow() && QTest::qWaitFor([&] { return !binds.isEmpty(); });
    }

private slots:
    void init() { initWindowTest(); }
    void cleanup() { cleanupWindowTest(); }

    // The start's queries in order; routes shown from the device and set by a drop.
    void routesBothWays()
    {
        QVERIFY(start(QStringLiteral("0809"), 1));
        // Routes unlike any default layout, set before the window exists.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO2}")));
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=4VIDEO9}")));
        QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=4VIDEO9}")));
        QVERIFY(openWindow());
        QCOMPARE(sent(), StartQueries + " {param=hdcpinfo} {param=outputinfo} {param=bindinfo}");
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(2), 7, 5000);
        QCOMPARE(QList<int>({shownInput(9), shownInput(5)}), QList<int>({4, 5}));

        mark();
        dropOnOutput(3, 5);
        QCOMPARE(shownInput(5), 3);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO5}"));

        // Another client's change is shown and never sent back.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=6VIDEO4}")));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), 6, 5000);
        QVERIFY(!sent().contains(QStringLiteral("VIDEO")));
        QVERIFY(m_messages.isEmpty());
    }

    void reconnectsAfterDeviceRestart()
    {
        QVERIFY(start(QStringLiteral("0809"), 1) && openWindow());
        const quint16 port = m_sim->controlPort();
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 5, 5000);
        m_sim->stop();
        QTRY_VERIFY_WITH_TIMEOUT(connectionText().endsWith(QLatin1String("disconnected")), 5000);
        auto *state = m_window->findChild<QLabel *>(QStringLiteral("connectState"));
        QCOMPARE(state->property("link").toString(), QStringLiteral("down"));

        // While the link is down a drop changes nothing and says so once, without a dialog.
        dropOnOutput(3, 5);
        auto *notice = m_window->findChild<QLabel *>(QStringLiteral("linkNotice"));
        QVERIFY(notice->isVisible() && notice->text().contains(QStringLiteral("not connected")));
        notice->hide();
        dropOnOutput(4, 5);
        QVERIFY(!notice->isVisible());
        QCOMPARE(shownInput(5), 5);
        QCOMPARE(DeviceState::instance()->videoRouteAt(5), 5);

        QVERIFY(m_sim->start(QStringLiteral("0809"), port));
        // The client retries every 2 s; allow for one missed attempt on a busy machine.
        QVERIFY(waitConnected(6000));
        for (const char *query : {"version", "status", "bindinfo"})
            QVERIFY2(m_sim->waitForCommand(QStringLiteral("{param=%1}").arg(query)), query);
        QCOMPARE(state->property("link").toString(), QStringLiteral("up"));
        // Nothing refused while it was down is replayed now.
        QVERIFY(m_sim->commands().filter(QStringLiteral("VIDEO")).isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void userWithoutOutputRightCannotRoute()
    {
        QVERIFY(start(QStringLiteral("0809"), 1, QStringLiteral("operator")));
        QVERIFY(restrictOperator({}, {4}, {}));
        QVERIFY(openWindow());
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 5, 5000);
        mark();
        dropOnOutput(3, 5);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().contains(QStringLiteral("does not have permission")));
        QCOMPARE(shownInput(5), 5);
        // A permitted output still routes; the refused one never reached the device.
        dropOnOutput(3, 6);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO6}"));
        QCOMPARE(m_messages.size(), 1);
    }

    void spliceTwoOutputsAndRouteToTheMaster()
    {
        QVERIFY(openWithGroups(QStringLiteral("0809")));
        TableWidget *table = videoTable();
        QTRY_VERIFY_WITH_TIMEOUT(shownInput(1) > 0, 5000);
        const int masterInput = shownInput(1);
        // The operator selects output 1, then 2, and chooses "Splice".
        table->clearSelection();
        table->itemForOutput(1)->setSelected(true);
        table->itemForOutput(2)->setSelected(true);
        mark();
        manager()->toggleSplice(2);
        QCOMPARE(sent(), QStringLiteral("{param=Bind1/2}"));
        // The table paints the group, and the new member shows the master's picture at once.
        QCOMPARE(table->spliceGroups(), (Groups{{1, {1, 2}}}));
        QCOMPARE(shownInput(2), masterInput);
        // Routing to the master routes the whole group on the screen.
        dropOnOutput(3, 1);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO1}"));
        QCOMPARE(QList<int>({shownInput(1), shownInput(2)}), QList<int>({3, 3}));
        // The same selection again dissolves the group.
        manager()->toggleSplice(1);
        QCOMPARE(sent(), QStringLiteral("{param=UnBind1}"));
        QVERIFY(table->spliceGroups().isEmpty());
    }

    void recallPlanRequeriesTheStatus()
    {
        QVERIFY(openWithGroups(QStringLiteral("0809")));
        // Plan 2 holds input 5 on output 4 and the group 7/8; another client's bind is a notice.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=5VIDEO4}")));
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=Bind7/8}")));
        QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{7, {7, 8}}}), 5000);
        for (const char *command : {"Save2", "UnBind7", "1VIDEO4"})
            QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=%1}").arg(command)));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(manager()->groups().isEmpty(), 5000);
        auto *plan2 = m_window->findChild<PlanPushButton *>(QStringLiteral("btn_plan2"));
        mark();
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(plan2, &dbl);
        QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}"), m_mark));
        QCOMPARE(sent(), QStringLiteral("{param=Recall2} {param=status} {param=bindinfo}"));
        // The re-queried reports bring the plan back on screen.
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), 5, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{7, {7, 8}}}), 5000);
    }

    void multiviewDropRoutesTheWindow()
    {
        QVERIFY(openWithGroups(QStringLiteral("0809-M")));
        auto *splitter = m_window->findChild<SingleSplitterWidget *>(QStringLiteral("wid_ss"));
        mark();
        m_window->findChild<QAbstractButton *>(QStringLiteral("btn_splitter_3"))->click();
        QCOMPARE(sent(), QStringLiteral("{param=Splitter3}"));
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
        QTRY_VERIFY(splitter->isVisible() && splitter->width() > 100);
        const QPoint region3(int(0.8 * splitter->width()), int(0.3 * splitter->height()));
        QMimeData mime;
        mime.setText(QStringLiteral("103"));
        drop(splitter, &mime, region3);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO903}"));
        QCOMPARE(DeviceState::instance()->multiviewWindowAt(3), 3);
        QVERIFY_LOOK("multiview-page.txt", m_window->findChild<QWidget *>("bodyWidget"));
        // A double click empties the window again.
        QTest::mouseDClick(splitter, Qt::LeftButton, {}, region3);
        QCOMPARE(sent(), QStringLiteral("{param=0VIDEO903}"));
        QVERIFY(splitter->labels().value(3).isEmpty());
    }

    void spliceModePresetFormsItsGroup()
    {
        QVERIFY(start(QStringLiteral("0808-S"), 1) &&
                openWindow(QStringLiteral("{param=outputinfo}")));
        // No binding on this model: the start asks for none.
        QCOMPARE(sent(), StartQueries + " {param=hdcpinfo} {param=outputinfo}");
        QTRY_VERIFY_WITH_TIMEOUT(shownInput(1) > 0, 5000);
        auto *preset = m_window->findChild<PlanPushButton *>(QStringLiteral("btn_spliceMode3"));
        const int masterInput = shownInput(1);
        mark();
        QTest::mouseClick(preset, Qt::LeftButton);
        // The preset is one command: no binds of its own, and the group shows the master's input.
        QCOMPARE(sent(), QStringLiteral("{param=mode3}"));
        QVERIFY(preset->isChecked());
        QCOMPARE(manager()->groups(), (Groups{{1, {1, 2, 5, 6}}}));
        for (int o : {2, 5, 6})
            QCOMPARE(shownInput(o), masterInput);
        QVERIFY_LOOK("splice-preset.txt", m_window->findChild<QWidget *>("bodyWidget"));
        // Another client's preset reaches the bar as a notice.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=mode1}")));
        QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{1, {1, 2}}}), 5000);
        QVERIFY(
            m_window->findChild<PlanPushButton *>(QStringLiteral("btn_spliceMode1"))->isChecked());
    }
};

QTEST_MAIN(TestMainWindowE2E)
#include "tst_mainwindow_e2e.moc"
