// The whole application against the device simulator: the start's queries, routing by drag and
// drop and by another client, reconnection, port rights, splice groups, plans and multiview.
#include "simwindow.h"

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

    QMap<int, int> deviceRoutes() const { return m_sim->routes(QStringLiteral("video")); }
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

    void startupQueriesInOrder_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("expected");
        const QString common("{param=version} {param=status} {param=inputinfo} {param=netInfo} "
                             "{param=resolution}");
        const QString matrix = common + " {param=hdcpinfo} {param=outputinfo}";
        QTest::newRow("matrix 0809") << "0809" << matrix + " {param=bindinfo}";
        QTest::newRow("0808-S has no binding") << "0808-S" << matrix;
        QTest::newRow("wall asks for rotation only") << "0409-S" << common + " {param=Get_Rotate}";
    }
    void startupQueriesInOrder()
    {
        QFETCH(QString, model);
        QFETCH(QString, expected);
        QVERIFY(start(model, 1));
        QVERIFY(openWindow(expected.mid(expected.lastIndexOf(' ') + 1)));
        QVERIFY(connectionText().contains(QStringLiteral("Ip:127.0.0.1")));
        QCOMPARE(sent(), expected);
    }

    void routesBothWays()
    {
        QVERIFY(start(QStringLiteral("0809"), 1));
        // Routes unlike any default layout, set before the window exists.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO2}")));
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=4VIDEO9}")));
        QTRY_COMPARE_WITH_TIMEOUT(deviceRoutes().value(2), 7, 5000);
        const QMap<int, int> device = deviceRoutes();
        QCOMPARE(device.size(), 9);
        QVERIFY(openWindow());
        for (auto it = device.cbegin(); it != device.cend(); ++it)
            QTRY_COMPARE_WITH_TIMEOUT(shownInput(it.key()), it.value(), 5000);
        QCOMPARE(DeviceState::instance()->videoRoute(), device);

        mark();
        dropOnOutput(3, 5);
        QCOMPARE(shownInput(5), 3);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO5}"));
        QCOMPARE(deviceRoutes().value(5), 3);

        // Another client's change is shown and never sent back.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=6VIDEO4}")));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), 6, 5000);
        QCOMPARE(DeviceState::instance()->videoRouteAt(4), 6);
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
        QVERIFY(connectionText().contains(QStringLiteral("Port:%1").arg(port)));
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
        QVERIFY(restrictOperator({}, allBut(PermissionList::OutputCount, 4), {}));
        QVERIFY(openWindow());
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
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
        QCOMPARE(plan2->caption(), QStringLiteral("[2]"));
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
        QCOMPARE(splitter->splitterMode(), 3);
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
        QTRY_VERIFY(splitter->isVisible() && splitter->width() > 100);
        const QPoint region3(int(0.8 * splitter->width()), int(0.3 * splitter->height()));
        QMimeData mime;
        mime.setText(QStringLiteral("103"));
        drop(splitter, &mime, region3);
        QCOMPARE(sent(), QStringLiteral("{param=3VIDEO903}"));
        QCOMPARE(DeviceState::instance()->multiviewWindowAt(3), 3);
        // A double click empties the window again.
        QTest::mouseDClick(splitter, Qt::LeftButton, {}, region3);
        QCOMPARE(sent(), QStringLiteral("{param=0VIDEO903}"));
        QVERIFY(splitter->label(3).isEmpty());
    }

    void spliceModePresetFormsItsGroup()
    {
        QVERIFY(start(QStringLiteral("0808-S"), 1) &&
                openWindow(QStringLiteral("{param=outputinfo}")));
        QTRY_VERIFY_WITH_TIMEOUT(shownInput(1) > 0, 5000);
        auto *preset = m_window->findChild<PlanPushButton *>(QStringLiteral("btn_spliceMode3"));
        // The button shows the outputs its preset joins.
        QVERIFY(preset->previewMode());
        QVERIFY(preset->screenColor(6).isValid() && !preset->screenColor(3).isValid());
        const int masterInput = shownInput(1);
        mark();
        QTest::mouseClick(preset, Qt::LeftButton);
        // The preset is one command: no binds of its own, and the group shows the master's input.
        QCOMPARE(sent(), QStringLiteral("{param=mode3}"));
        QVERIFY(preset->isChecked());
        QCOMPARE(manager()->groups(), (Groups{{1, {1, 2, 5, 6}}}));
        for (int o : {2, 5, 6})
            QCOMPARE(shownInput(o), masterInput);
        // Another client's preset reaches the bar as a notice.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=mode1}")));
        QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{1, {1, 2}}}), 5000);
        QVERIFY(
            m_window->findChild<PlanPushButton *>(QStringLiteral("btn_spliceMode1"))->isChecked());
    }
};

QTEST_MAIN(TestMainWindowE2E)
#include "tst_mainwindow_e2e.moc"
