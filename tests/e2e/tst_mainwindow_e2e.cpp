// The whole application against the device simulator: login-free start, the query sequence,
// routing by drag and drop, changes by another client, reconnection and port rights.
#include "../common/windowstart.h"
#include "simprocess.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "uikit/msgdlg.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class TestMainWindowE2E : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Widget> m_window;
    QStringList m_dialogMessages;
    QTimer m_dialogCloser;

    /// Starts the simulator and points a fresh data folder at it, logged in as `userName`.
    bool startSimulator(const QString &model = QStringLiteral("0809"),
                        const QString &userName = QStringLiteral("ADMIN"))
    {
        if (!m_sim->start(model))
            return false;
        prepareLoginFreeStart(m_dataDir->path(), m_sim->controlPort());
        AppSettings::instance()->setUserName(userName);
        AppSettings::instance()->setType(1);
        return true;
    }

    /// Opens the window and waits for its connection and its last start-up query.
    bool openWindow()
    {
        m_window = std::make_unique<Widget>();
        return waitConnected() && m_sim->waitForCommand(QStringLiteral("{param=bindinfo}"));
    }

    QString connectionText() const
    {
        return m_window->findChild<QLabel *>(QStringLiteral("connectState"))->text();
    }

    bool waitConnected(int timeoutMs = 5000)
    {
        return QTest::qWaitFor(
            [this] {
                const QString text = connectionText();
                return text.endsWith(QLatin1String("connected")) &&
                       !text.endsWith(QLatin1String("disconnected"));
            },
            timeoutMs);
    }

    TableWidget *videoTable() const
    {
        return m_window->findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
    }

    /// Drops video input `input` from the signal list onto `output`'s cell, as a drag would.
    void dropVideoInput(int input, int output)
    {
        auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
        QTableWidgetItem *target = videoTable()->itemForOutput(output);
        QVERIFY(target);
        std::unique_ptr<QMimeData> data(
            list->createDragData(list->entry(ListWidget::VideoKind, input)));
        const QPoint at = videoTable()->visualItemRect(target).center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(videoTable()->viewport(), &enter);
        QDropEvent drop(at, offered, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(videoTable()->viewport(), &drop);
    }

    int shownInput(int output) const
    {
        QTableWidgetItem *item = videoTable()->itemForOutput(output);
        return item ? item->data(TableWidget::InputRole).toInt() : -1;
    }

    QMap<int, int> deviceRoutes() const { return m_sim->routes(QStringLiteral("video")); }

private slots:
    void initTestCase()
    {
        // Modal message boxes must not stop the test: note what they said and close them.
        m_dialogCloser.setInterval(20);
        connect(&m_dialogCloser, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<MsgDlg *>(QApplication::activeModalWidget())) {
                m_dialogMessages.append(box->message());
                box->done(0);
            }
        });
    }

    void init()
    {
        m_dataDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dataDir->isValid());
        m_sim = std::make_unique<SimProcess>();
        m_dialogMessages.clear();
        m_dialogCloser.start();
    }

    void cleanup()
    {
        m_window.reset();
        MessageDistance::instance()->closeConnections();
        m_sim.reset();
        m_dialogCloser.stop();
    }

    void startupQueriesInOrder_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("expected");
        const QStringList common{
            QStringLiteral("{param=version}"), QStringLiteral("{param=status}"),
            QStringLiteral("{param=inputinfo}"), QStringLiteral("{param=netInfo}"),
            QStringLiteral("{param=resolution}")};
        const QStringList matrix = common + QStringList{QStringLiteral("{param=hdcpinfo}"),
                                                        QStringLiteral("{param=outputinfo}")};
        QTest::newRow("matrix 0809")
            << QStringLiteral("0809") << matrix + QStringList{QStringLiteral("{param=bindinfo}")};
        QTest::newRow("0808-S has no binding") << QStringLiteral("0808-S") << matrix;
        QTest::newRow("wall asks for rotation only")
            << QStringLiteral("0409-S")
            << common + QStringList{QStringLiteral("{param=Get_Rotate}")};
    }

    void startupQueriesInOrder()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, expected);
        QVERIFY(startSimulator(model));
        m_window = std::make_unique<Widget>();
        QVERIFY2(waitConnected(), qPrintable(connectionText()));
        QVERIFY(connectionText().contains(QStringLiteral("Ip:127.0.0.1")));
        QVERIFY(m_sim->waitForCommand(expected.last()));
        // Nothing else is asked for after the schedule ends.
        QTest::qWait(300);
        QCOMPARE(m_sim->commands(), expected);
    }

    void tablesShowTheDevicesRoutes()
    {
        QVERIFY(startSimulator());
        // Routes that differ from any default layout, set before the window exists.
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO2}")));
        QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=4VIDEO9}")));
        QTRY_COMPARE_WITH_TIMEOUT(deviceRoutes().value(2), 7, 5000);
        const QMap<int, int> device = deviceRoutes();
        QCOMPARE(device.size(), 9);
        QVERIFY(openWindow());
        for (auto it = device.cbegin(); it != device.cend(); ++it)
            QTRY_COMPARE_WITH_TIMEOUT(shownInput(it.key()), it.value(), 5000);
        QCOMPARE(DeviceState::instance()->videoRoute(), device);
    }

    void dropRoutesInputToOutput()
    {
        QVERIFY(startSimulator());
        QVERIFY(openWindow());
        const int before = m_sim->commands().size();

        dropVideoInput(3, 5);
        QCOMPARE(shownInput(5), 3);
        QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=3VIDEO5}"), before));
        QTRY_COMPARE_WITH_TIMEOUT(deviceRoutes().value(5), 3, 5000);
        QVERIFY(m_dialogMessages.isEmpty());
    }

    void changeByAnotherClientReachesTable()
    {
        QVERIFY(startSimulator());
        QVERIFY(openWindow());
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), deviceRoutes().value(4), 5000);
        const int input = shownInput(4) == 6 ? 2 : 6;
        const QString change = QStringLiteral("{param=%1VIDEO4}").arg(input);
        const int before = m_sim->commands().size();

        QVERIFY(m_sim->sendAsOtherClient(change));
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), input, 5000);
        QCOMPARE(DeviceState::instance()->videoRouteAt(4), input);
        // Applying another's change sends no routing back (status queries are the test's own).
        QTest::qWait(200);
        QCOMPARE(m_sim->commands().mid(before).filter(QStringLiteral("VIDEO")),
                 QStringList{change});
    }

    void reconnectsAfterDeviceRestart()
    {
        QVERIFY(startSimulator());
        QVERIFY(openWindow());
        const quint16 port = m_sim->controlPort();

        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 5, 5000);
        m_sim->stop();
        QTRY_VERIFY_WITH_TIMEOUT(connectionText().endsWith(QLatin1String("disconnected")), 5000);
        QVERIFY(connectionText().contains(QStringLiteral("Port:%1").arg(port)));
        auto *state = m_window->findChild<QLabel *>(QStringLiteral("connectState"));
        QCOMPARE(state->property("link").toString(), QStringLiteral("down"));

        // While the link is down a drop changes nothing and says so once, without a dialog.
        dropVideoInput(3, 5);
        auto *notice = m_window->findChild<QLabel *>(QStringLiteral("linkNotice"));
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().contains(QStringLiteral("not connected")));
        notice->hide();
        dropVideoInput(4, 5);
        QVERIFY(!notice->isVisible());
        QCOMPARE(shownInput(5), 5);
        QCOMPARE(DeviceState::instance()->videoRouteAt(5), 5);
        QVERIFY(m_dialogMessages.isEmpty());

        QVERIFY(m_sim->start(QStringLiteral("0809"), port));
        QElapsedTimer sinceRestart;
        sinceRestart.start();
        // The client retries every 2 s; allow for one missed attempt on a busy machine.
        QVERIFY(waitConnected(6000));
        qInfo("reconnected %lld ms after the device came back", sinceRestart.elapsed());
        for (const char *query : {"version", "status", "bindinfo"})
            QVERIFY2(m_sim->waitForCommand(QStringLiteral("{param=%1}").arg(query)), query);
        QCOMPARE(state->property("link").toString(), QStringLiteral("up"));
        // Nothing refused while it was down is replayed now.
        QVERIFY(m_sim->commands().filter(QStringLiteral("VIDEO")).isEmpty());
        QCOMPARE(shownInput(5), 5);
    }

    void userWithoutOutputRightCannotRoute()
    {
        QVERIFY(startSimulator(QStringLiteral("0809"), QStringLiteral("operator")));
        const int id = addOperator(QStringLiteral("operator"));
        QVERIFY(id > 1);
        PermissionStore permissions;
        QList<bool> outputs;
        for (int o = 1; o <= PermissionList::OutputCount; ++o)
            outputs.append(o != 5);
        QVERIFY(permissions.savePermissions(
            id, PermissionList::allowAll(PermissionList::InputCount), PermissionList::join(outputs),
            PermissionList::allowAll(PermissionList::AudioCount),
            PermissionList::allowAll(PermissionList::AnalogCount),
            PermissionList::allowAll(PermissionList::FunctionCount)));

        QVERIFY(openWindow());
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(5), 5, 5000);
        const int before = m_sim->commands().size();

        dropVideoInput(3, 5);
        QCOMPARE(m_dialogMessages.size(), 1);
        QVERIFY(m_dialogMessages.first().contains(QStringLiteral("does not have permission")));
        QCOMPARE(shownInput(5), 5);

        // A permitted output still routes, and the refused one never reached the device.
        dropVideoInput(3, 6);
        QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=3VIDEO6}"), before));
        QCOMPARE(m_sim->commands().mid(before).filter(QStringLiteral("VIDEO")),
                 QStringList{QStringLiteral("{param=3VIDEO6}")});
        QCOMPARE(deviceRoutes().value(5), 5);
        QCOMPARE(m_dialogMessages.size(), 1);
    }
};

QTEST_MAIN(TestMainWindowE2E)
#include "tst_mainwindow_e2e.moc"
