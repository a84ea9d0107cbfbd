// The whole application against the device simulator: login-free start, the query sequence,
// routing by drag and drop, changes by another client, reconnection and port rights.
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

private slots:
    void init();
    void cleanup();

    void startupQueriesInOrder_data();
    void startupQueriesInOrder();
    void tablesShowTheDevicesRoutes();
    void dropRoutesInputToOutput();
    void changeByAnotherClientReachesTable();
    void reconnectsAfterDeviceRestart();
    void userWithoutOutputRightCannotRoute();

private:
    void prepareDataDir(const QString &userName = QStringLiteral("ADMIN"));
    Widget *startWindow();
    bool waitConnected(int timeoutMs = 5000);
    QString connectionText() const;
    /// Drops video input `input` from the signal list onto `output`'s cell, as a drag would.
    void dropVideoInput(int input, int output);
    int shownInput(int output) const;

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<SimProcess> m_sim;
    Widget *m_window = nullptr;
    QStringList m_dialogMessages;
    QTimer m_dialogCloser;
};

void TestMainWindowE2E::init()
{
    m_dataDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dataDir->isValid());
    m_sim = std::make_unique<SimProcess>();
    m_dialogMessages.clear();
    // Modal message boxes must not stop the test: note what they said and close them.
    m_dialogCloser.setInterval(20);
    connect(&m_dialogCloser, &QTimer::timeout, this, [this] {
        if (auto *box = qobject_cast<MsgDlg *>(QApplication::activeModalWidget())) {
            m_dialogMessages.append(box->message());
            box->done(0);
        }
    });
    m_dialogCloser.start();
}

void TestMainWindowE2E::cleanup()
{
    delete m_window;
    m_window = nullptr;
    MessageDistance::instance()->closeConnections();
    m_sim.reset();
    m_dialogCloser.stop();
}

void TestMainWindowE2E::prepareDataDir(const QString &userName)
{
    AppSettings::setDataDirectory(m_dataDir->path());
    ProjectDatabase::resetDatabasePath();
    AppSettings *settings = AppSettings::instance();
    settings->reload();
    // Only ever the simulator on loopback.
    settings->setNetWork(QStringLiteral("127.0.0.1"), m_sim->controlPort());
    settings->setUserName(userName);
    settings->setLanguage(1);
    settings->setType(1);
    UserAccountStore().setLoginModel(1);
}

Widget *TestMainWindowE2E::startWindow()
{
    m_window = new Widget;
    return m_window;
}

QString TestMainWindowE2E::connectionText() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("connectState"))->text();
}

bool TestMainWindowE2E::waitConnected(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (connectionText().endsWith(QLatin1String("connected")) &&
            !connectionText().endsWith(QLatin1String("disconnected")))
            return true;
        QTest::qWait(10);
    }
    return false;
}

void TestMainWindowE2E::dropVideoInput(int input, int output)
{
    auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
    auto *table = m_window->findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
    QTableWidgetItem *target = table->itemForOutput(output);
    QVERIFY(target);
    std::unique_ptr<QMimeData> data(
        list->createDragData(list->entry(ListWidget::VideoKind, input)));
    const QPoint at = table->visualItemRect(target).center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(table->viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(table->viewport(), &drop);
}

int TestMainWindowE2E::shownInput(int output) const
{
    auto *table = m_window->findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
    QTableWidgetItem *item = table->itemForOutput(output);
    return item ? item->data(TableWidget::InputRole).toInt() : -1;
}

void TestMainWindowE2E::startupQueriesInOrder_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("expected");
    const QStringList common{QStringLiteral("{param=version}"), QStringLiteral("{param=status}"),
                             QStringLiteral("{param=inputinfo}"), QStringLiteral("{param=netInfo}"),
                             QStringLiteral("{param=resolution}")};
    QTest::newRow("matrix 0809") << QStringLiteral("0809")
                                 << common + QStringList{QStringLiteral("{param=hdcpinfo}"),
                                                         QStringLiteral("{param=outputinfo}"),
                                                         QStringLiteral("{param=bindinfo}")};
    QTest::newRow("0808-S has no binding")
        << QStringLiteral("0808-S")
        << common + QStringList{QStringLiteral("{param=hdcpinfo}"),
                                QStringLiteral("{param=outputinfo}")};
    QTest::newRow("wall asks for rotation only")
        << QStringLiteral("0409-S") << common + QStringList{QStringLiteral("{param=Get_Rotate}")};
}

void TestMainWindowE2E::startupQueriesInOrder()
{
    QFETCH(QString, model);
    QFETCH(QStringList, expected);
    QVERIFY(m_sim->start(model));
    prepareDataDir();
    startWindow();
    QVERIFY2(waitConnected(), qPrintable(connectionText()));
    QVERIFY(connectionText().contains(QStringLiteral("Ip:127.0.0.1")));
    QVERIFY(m_sim->waitForCommand(expected.last()));
    // Nothing else is asked for after the schedule ends.
    QTest::qWait(300);
    QCOMPARE(m_sim->commands(), expected);
}

void TestMainWindowE2E::tablesShowTheDevicesRoutes()
{
    QVERIFY(m_sim->start(QStringLiteral("0809")));
    // Routes that differ from any default layout, set before the window exists.
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=7VIDEO2}")));
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=4VIDEO9}")));
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->routes(QStringLiteral("video")).value(2), 7, 5000);
    const QMap<int, int> device = m_sim->routes(QStringLiteral("video"));
    QCOMPARE(device.size(), 9);

    prepareDataDir();
    startWindow();
    QVERIFY(waitConnected());
    for (auto it = device.cbegin(); it != device.cend(); ++it)
        QTRY_COMPARE_WITH_TIMEOUT(shownInput(it.key()), it.value(), 5000);
    QCOMPARE(DeviceState::instance()->videoRoute(), device);
}

void TestMainWindowE2E::dropRoutesInputToOutput()
{
    QVERIFY(m_sim->start(QStringLiteral("0809")));
    prepareDataDir();
    startWindow();
    QVERIFY(waitConnected());
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}")));
    const int before = m_sim->commands().size();

    dropVideoInput(3, 5);
    QCOMPARE(shownInput(5), 3);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=3VIDEO5}"), before));
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->routes(QStringLiteral("video")).value(5), 3, 5000);
    QVERIFY(m_dialogMessages.isEmpty());
}

void TestMainWindowE2E::changeByAnotherClientReachesTable()
{
    QVERIFY(m_sim->start(QStringLiteral("0809")));
    prepareDataDir();
    startWindow();
    QVERIFY(waitConnected());
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}")));
    QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), m_sim->routes(QStringLiteral("video")).value(4), 5000);
    const int input = shownInput(4) == 6 ? 2 : 6;
    const int before = m_sim->commands().size();

    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=%1VIDEO4}").arg(input)));
    QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), input, 5000);
    QCOMPARE(DeviceState::instance()->videoRouteAt(4), input);
    // Applying another's change sends no routing back (status queries are the test's own).
    QTest::qWait(200);
    const QStringList after = m_sim->commands().mid(before).filter(QStringLiteral("VIDEO"));
    QCOMPARE(after, QStringList{QStringLiteral("{param=%1VIDEO4}").arg(input)});
}

void TestMainWindowE2E::reconnectsAfterDeviceRestart()
{
    QVERIFY(m_sim->start(QStringLiteral("0809")));
    const quint16 port = m_sim->controlPort();
    prepareDataDir();
    startWindow();
    QVERIFY(waitConnected());
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}")));

    m_sim->stop();
    QTRY_VERIFY_WITH_TIMEOUT(connectionText().endsWith(QLatin1String("disconnected")), 5000);
    QVERIFY(connectionText().contains(QStringLiteral("Port:%1").arg(port)));

    QVERIFY(m_sim->start(QStringLiteral("0809"), port));
    QElapsedTimer sinceRestart;
    sinceRestart.start();
    // The client retries every 2 s; allow for one missed attempt on a busy machine.
    QVERIFY(waitConnected(6000));
    qInfo("reconnected %lld ms after the device came back", sinceRestart.elapsed());
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=version}")));
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=status}")));
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}")));
}

void TestMainWindowE2E::userWithoutOutputRightCannotRoute()
{
    QVERIFY(m_sim->start(QStringLiteral("0809")));
    prepareDataDir(QStringLiteral("operator"));
    UserAccountStore users;
    QVERIFY(users.addUser(QStringLiteral("operator"), QStringLiteral("secret")));
    PermissionStore permissions;
    QVERIFY(permissions.initUserPermissions(QStringLiteral("operator")));
    int id = 0;
    for (const QVariantList &row : users.allUsers()) {
        if (row.value(1).toString() == QLatin1String("operator"))
            id = row.value(0).toInt();
    }
    QVERIFY(id > 1);
    QList<bool> outputs;
    for (int o = 1; o <= PermissionList::OutputCount; ++o)
        outputs.append(o != 5);
    QVERIFY(permissions.savePermissions(id, PermissionList::allowAll(PermissionList::InputCount),
                                        PermissionList::join(outputs),
                                        PermissionList::allowAll(PermissionList::AudioCount),
                                        PermissionList::allowAll(PermissionList::AnalogCount),
                                        PermissionList::allowAll(PermissionList::FunctionCount)));

    startWindow();
    QVERIFY(waitConnected());
    QCOMPARE(AppSettings::instance()->currentUserType(), 1);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}")));
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
    QCOMPARE(m_sim->routes(QStringLiteral("video")).value(5), 5);
    QCOMPARE(m_dialogMessages.size(), 1);
}

QTEST_MAIN(TestMainWindowE2E)
#include "tst_mainwindow_e2e.moc"
