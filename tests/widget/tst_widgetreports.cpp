// The main window applying device reports to the store and the tables, against a loopback peer
// that records what the window sends.
#include "app/appsettings.h"
#include "mainwindow/splicegroups.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "mainwindow/widgetmenus.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "state/sigmanager.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "wall/dialogbezel.h"
#include "wall/singlesplitterwidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class TestWidgetReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void routingReportFillsStoreAndTables();
    void multiviewWindowsFromRoutingReport();
    void outputInfoFlags_data();
    void outputInfoFlags();
    void volumeReportDropsPortZero();
    void windowReportTakesLastDigit();
    void versionReport_data();
    void versionReport();
    void changedByOthersEchoes_data();
    void changedByOthersEchoes();
    void changeNoticeRoutesWithoutSending();
    void bindModeIgnoredOn0404();
    void connectionTextAfterLanguageChange();
    void settingPagesHideTheSignalList();
    void bezelDialogStoresAllEight();
    void outputMenuLayoutEntries_data();
    void outputMenuLayoutEntries();
    void disabledOutputOpensNoMenu();
    void multiviewDropsAndLayout();
    void changeNoticeFollowsSpliceGroup();

private:
    QByteArray received();

    std::unique_ptr<QTemporaryDir> m_dir;
    QTcpServer m_server;
    QTcpSocket *m_peer = nullptr;
    QByteArray m_bytes;
    std::unique_ptr<Widget> m_window;
};

void TestWidgetReports::initTestCase()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        m_peer = m_server.nextPendingConnection();
        connect(m_peer, &QTcpSocket::readyRead, this, [this] { m_bytes += m_peer->readAll(); });
    });
    AppSettings::setDataDirectory(m_dir->path());
    ProjectDatabase::resetDatabasePath();
    AppSettings *settings = AppSettings::instance();
    settings->reload();
    settings->setNetWork(QStringLiteral("127.0.0.1"), m_server.serverPort());
    settings->setLanguage(1);
    UserAccountStore().setLoginModel(1);
    m_window = std::make_unique<Widget>();
    QTRY_VERIFY_WITH_TIMEOUT(m_peer != nullptr, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains("{param=version}"), 5000);
}

void TestWidgetReports::cleanupTestCase()
{
    m_window.reset();
    MessageDistance::instance()->closeConnections();
}

void TestWidgetReports::init()
{
    DeviceState::instance()->setDeviceType(Dev0809);
    m_window->arrangeForDeviceType();
    QTest::qWait(20);
    m_bytes.clear();
}

QByteArray TestWidgetReports::received()
{
    QTest::qWait(100);
    return m_bytes;
}

static int shownInput(Widget *window, const char *table, int output)
{
    auto *t = window->findChild<TableWidget *>(QLatin1String(table));
    QTableWidgetItem *item = t->itemForOutput(output);
    return item ? item->data(TableWidget::InputRole).toInt() : -1;
}

void TestWidgetReports::routingReportFillsStoreAndTables()
{
    m_window->receiveVideoAudioIRMapSlot(QJsonObject{{"video1", 4},
                                                     {"video2", 4},
                                                     {"audio3", 2},
                                                     {"audio101", 105},
                                                     {"IR4", 7},
                                                     {"videovideo", 3}});
    DeviceState *store = DeviceState::instance();
    QCOMPARE(store->videoRoute(), (QMap<int, int>{{1, 4}, {2, 4}}));
    QCOMPARE(store->audioRouteAt(101), 105);
    QCOMPARE(store->irRouteAt(4), 7);
    QCOMPARE(shownInput(m_window.get(), "videoTableWidget", 2), 4);
    QCOMPARE(shownInput(m_window.get(), "AudioTable", 3), 2);
    QCOMPARE(shownInput(m_window.get(), "InfaredTable", 4), 7);

    // A newer report replaces the maps whole: output 1 is gone from the store, but its cell
    // keeps what it showed.
    m_window->receiveVideoAudioIRMapSlot(QJsonObject{{"video2", 6}});
    QCOMPARE(store->videoRoute(), (QMap<int, int>{{2, 6}}));
    QCOMPARE(shownInput(m_window.get(), "videoTableWidget", 1), 4);
    QCOMPARE(shownInput(m_window.get(), "videoTableWidget", 2), 6);
    QVERIFY(received().isEmpty());
}

void TestWidgetReports::multiviewWindowsFromRoutingReport()
{
    DeviceState *store = DeviceState::instance();
    store->setMultiviewWindows({});
    m_window->receiveVideoAudioIRMapSlot(QJsonObject{{"video9", 7}, {"video900", "3/0/5"}});
    QCOMPARE(store->multiviewWindowAt(0), 7);
    QCOMPARE(store->multiviewWindowAt(1), 3);
    QCOMPARE(store->multiviewWindowAt(2), 0);
    QCOMPARE(store->multiviewWindowAt(3), 5);
    QCOMPARE(store->videoRouteAt(9), 7);
    QVERIFY(!store->videoRoute().contains(900));
}

void TestWidgetReports::outputInfoFlags_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("kept");
    QTest::newRow("four flags") << "link2"
                                << "true/false/true/false" << true;
    QTest::newRow("port zero dropped") << "link0"
                                       << "true/true/true/true" << false;
    QTest::newRow("three flags ignored") << "link2"
                                         << "true/false/true" << false;
    QTest::newRow("empty pieces dropped") << "link2"
                                          << "true//false/true/false" << true;
}

void TestWidgetReports::outputInfoFlags()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, kept);
    QSignalSpy updated(SigManager::instance(), &SigManager::Sig_UpdateOutputInfo);
    m_window->receiveOutputInfoSlot(QJsonObject{{key, value}});
    DeviceState *store = DeviceState::instance();
    QCOMPARE(updated.count(), 1);
    QCOMPARE(store->outputLink().size(), kept ? 1 : 0);
    if (kept) {
        QCOMPARE(store->outputLinkAt(2), true);
        QCOMPARE(store->frozenAt(2), false);
        QCOMPARE(store->outputLockAt(2), true);
        QCOMPARE(store->videoMuteAt(2), false);
    }
    QVERIFY(!store->outputLink().contains(0));
}

void TestWidgetReports::volumeReportDropsPortZero()
{
    m_window->receiveVolumeValueSlot(
        QJsonObject{{"Volume0", 9}, {"Volume3", 40}, {"Mute0", 1}, {"Mute3", 1}});
    DeviceState *store = DeviceState::instance();
    QCOMPARE(store->volume(), (QMap<int, int>{{3, 40}}));
    QCOMPARE(store->mute(), (QMap<int, int>{{3, 1}}));
}

void TestWidgetReports::windowReportTakesLastDigit()
{
    QSignalSpy ready(m_window.get(), &Widget::si_windows_ready);
    m_window->receiveWindowStatusSlot(QJsonObject{{"window12", QJsonArray{1, 2, 3, 4, 5, 6}},
                                                  {"window3", QJsonArray{1, 2, 3}},
                                                  {"VIR", QJsonArray{2, 0}},
                                                  {"AUDIO", QJsonArray{3}},
                                                  {"Bogus", QJsonArray{}}});
    DeviceState *store = DeviceState::instance();
    QCOMPARE(ready.count(), 1);
    QCOMPARE(store->windowStatus().value(2), (QList<int>{1, 2, 3, 4, 5, 6}));
    QVERIFY(!store->windowStatus().contains(3));
    QCOMPARE(store->windowStatus().value(0), QList<int>{2});
    QCOMPARE(store->virMode(), 2);
    QCOMPARE(store->audioRoute(), (QMap<int, int>{{101, 103}}));

    QSignalSpy rotated(m_window.get(), &Widget::si_rotate_degree_ready);
    m_window->receiveRotateAngleSlot(QJsonObject{{"Angle10", 1}, {"Angle3", 2}});
    QCOMPARE(rotated.count(), 1);
    QCOMPARE(store->rotateAngle(), (QMap<int, int>{{0, 1}, {3, 2}}));
}

void TestWidgetReports::versionReport_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("storedType");
    QTest::newRow("0808-S") << "0808-S" << int(Dev0808S) << int(Dev0808S);
    QTest::newRow("0404") << "0404" << int(Dev0404) << int(Dev0404);
    QTest::newRow("unknown keeps the type, stores the default")
        << "9999" << int(Dev0809) << int(Dev0809);
}

void TestWidgetReports::versionReport()
{
    QFETCH(QString, device);
    QFETCH(int, type);
    QFETCH(int, storedType);
    AppSettings::instance()->setType(4);
    m_window->receiveVersionSlot(QJsonObject{{"device", device},
                                             {"MCU", "1.2"},
                                             {"FPGA", "3.4"},
                                             {"type", "CVN-X"},
                                             {"audio", "true"},
                                             {"bezel_x", "1/2/3/4"},
                                             {"bezel_y", "5/6/7"}});
    DeviceState *store = DeviceState::instance();
    QCOMPARE(int(store->deviceType()), type);
    QCOMPARE(AppSettings::instance()->type(), storedType);
    QCOMPARE(m_window->findChild<QLabel *>("deviceMCU_label")->text(), QStringLiteral("MCU : 1.2"));
    QCOMPARE(m_window->findChild<QLabel *>("deviceFPGA_label")->text(),
             QStringLiteral("FPGA: 3.4"));
    QCOMPARE(m_window->findChild<QLabel *>("typeLabel")->text(), QStringLiteral("CVN-X"));
    QVERIFY(m_window->hdmiAudioFollow());
    // Only the x gaps have four pieces.
    const BezelValues bezel = store->bezel();
    QCOMPARE((QList<uint>{bezel[0], bezel[1], bezel[2], bezel[3], bezel[4], bezel[7]}),
             (QList<uint>{1, 2, 3, 4, 0, 0}));
    QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains("{param=resolution}"), 3000);
    QVERIFY(m_bytes.startsWith("{param=status}"));
    QTest::qWait(600);
    m_window->receiveVersionSlot(QJsonObject{{"device", "0809"}, {"audio", "false"}});
    QVERIFY(!m_window->hdmiAudioFollow());
    // Let this report's queries go out before the next row listens.
    QTest::qWait(600);
}

void TestWidgetReports::changedByOthersEchoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("check");
    QTest::addColumn<int>("expected");
    QTest::newRow("lock 1 means standby") << "Output_Lock3/1!"
                                          << "lock3" << 0;
    QTest::newRow("lock 0 means no standby") << "Output_Lock3/0!"
                                             << "lock3" << 1;
    QTest::newRow("frozen") << "Frozen4/1!"
                            << "frozen4" << 1;
    QTest::newRow("hdcp") << "Input_HDCP2/3!"
                          << "hdcp2" << 3;
    QTest::newRow("volume") << "Volume5/30!"
                            << "volume5" << 30;
    QTest::newRow("mute on") << "MuteOn6"
                             << "mute6" << 1;
    QTest::newRow("scaler") << "Scaler_Mode7/2!"
                            << "scaler7" << 2;
}

void TestWidgetReports::changedByOthersEchoes()
{
    QFETCH(QString, text);
    QFETCH(QString, check);
    QFETCH(int, expected);
    DeviceState *store = DeviceState::instance();
    store->setOutputLockAt(3, false);
    store->setOutputLockAt(3, text.endsWith(QLatin1String("0!")) ? false : true);
    QSignalSpy forwarded(m_window.get(), &Widget::si_ForwardAnalysis);
    QSignalSpy hdcp(m_window.get(), &Widget::si_hdcpChangedByOthers);
    m_window->receiveChangedByOthersSlot(QJsonObject{{"echo_change", text}});
    int got = -1;
    if (check == QLatin1String("lock3"))
        got = store->outputLockAt(3);
    else if (check == QLatin1String("frozen4"))
        got = store->frozenAt(4);
    else if (check == QLatin1String("hdcp2")) {
        got = store->inputHdcpAt(2);
        QCOMPARE(hdcp.count(), 1);
    } else if (check == QLatin1String("volume5"))
        got = store->volumeAt(5);
    else if (check == QLatin1String("mute6"))
        got = store->muteAt(6);
    else if (check == QLatin1String("scaler7")) {
        got = store->scalingModeAt(7);
        QCOMPARE(forwarded.count(), 1);
        QCOMPARE(forwarded.first().first().toString(),
                 QStringLiteral("{\"Chn\":7,\"Scaler_Mode\":2}"));
    }
    QCOMPARE(got, expected);
}

void TestWidgetReports::changeNoticeRoutesWithoutSending()
{
    DeviceState *store = DeviceState::instance();
    store->setVideoMuteAt(3, true);
    m_window->receiveChangedByOthersSlot(QJsonObject{{"video3_change", 2}});
    QCOMPARE(store->videoRouteAt(3), 2);
    QCOMPARE(store->videoMuteAt(3), false);
    QCOMPARE(shownInput(m_window.get(), "videoTableWidget", 3), 2);
    m_window->receiveChangedByOthersSlot(QJsonObject{{"video905_change", 2}});
    QCOMPARE(store->multiviewWindowAt(5), 2);
    QCOMPARE(store->videoRouteAt(905), 0);
    QVERIFY(received().isEmpty());
}

void TestWidgetReports::bindModeIgnoredOn0404()
{
    DeviceState *store = DeviceState::instance();
    store->setDeviceType(Dev0404);
    m_window->arrangeForDeviceType();
    QCOMPARE(store->bindMode(), 2);
    m_window->receiveBindInfoSlot(QJsonObject{{"mode", 1}});
    QCOMPARE(store->bindMode(), 2);
    store->setDeviceType(Dev0809);
    m_window->receiveBindInfoSlot(QJsonObject{{"mode", 1}});
    QCOMPARE(store->bindMode(), 1);
    // 5 x 2 with the empty top-right cell: outputs 1..4 above, 5..9 below.
    auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
    QCOMPARE(video->columnCount(), 5);
    QVERIFY(video->itemForOutput(9));
    store->setBindMode(0);
}

void TestWidgetReports::connectionTextAfterLanguageChange()
{
    auto *state = m_window->findChild<QLabel *>("connectState");
    m_window->receiveNetWorkSuccessfulSlot();
    QVERIFY(state->text().contains(QLatin1String("   Ip:")));
    QVERIFY(state->text().endsWith(QLatin1String("  connected")));
    QCOMPARE(AppSettings::instance()->connectionState(), 2);
    auto *language = m_window->findChild<QComboBox *>("languageComboBox");
    language->setCurrentIndex(0);
    language->setCurrentIndex(1);
    QCoreApplication::processEvents();
    // After a change of language the connected text is the single-spaced one.
    QVERIFY(state->text().contains(QLatin1String("  Ip:")));
    QVERIFY(!state->text().contains(QLatin1String("   Ip:")));
    QVERIFY(state->text().endsWith(QLatin1String(" connected")));
    QVERIFY(!state->text().endsWith(QLatin1String("  connected")));

    m_window->receivenetWorkFailSlot();
    QVERIFY(state->text().endsWith(QLatin1String(" disconnected")));
    QCOMPARE(AppSettings::instance()->connectionState(), 0);
    m_window->receiveConnectingSlot();
    QVERIFY(state->text().endsWith(QLatin1String(" connecting")));
}

void TestWidgetReports::settingPagesHideTheSignalList()
{
    auto *tabs = m_window->findChild<QTabWidget *>("tabWidget");
    QWidget *left = m_window->findChild<QWidget *>("leftContentWidget");
    for (int page : {4, 5}) {
        tabs->setCurrentIndex(page);
        QVERIFY(!left->isVisible());
        QVERIFY(tabs->styleSheet().contains(QLatin1String("left:200px")));
    }
    // The setting page's lists take their plain list views once the page has been shown.
    for (const char *name : {"languageComboBox", "HdmiAudioComboBox"}) {
        const QAbstractItemView *view = m_window->findChild<QComboBox *>(name)->view();
        QCOMPARE(view->metaObject()->className(), "QListView");
    }
    tabs->setCurrentIndex(2);
    QVERIFY(left->isVisible());
    QVERIFY(!tabs->styleSheet().contains(QLatin1String("left:200px")));
}

void TestWidgetReports::bezelDialogStoresAllEight()
{
    DeviceState::instance()->setBezel({1, 2, 3, 4, 5, 6, 7, 8});
    DialogBezel dialog;
    const QList<QLineEdit *> fields = dialog.fields();
    QCOMPARE(fields.size(), 8);
    QCOMPARE(fields[5]->text(), QStringLiteral("6"));
    // A fourth digit and a sign are refused while typing.
    fields[0]->clear();
    QTest::keyClicks(fields[0], QStringLiteral("1000"));
    QCOMPARE(fields[0]->text(), QStringLiteral("100"));
    fields[1]->clear();
    QTest::keyClicks(fields[1], QStringLiteral("-7"));
    QCOMPARE(fields[1]->text(), QStringLiteral("7"));
    dialog.findChild<QPushButton *>("btn_ok")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const BezelValues stored = DeviceState::instance()->bezel();
    QCOMPARE(stored, (BezelValues{100, 7, 3, 4, 5, 6, 7, 8}));
}

static QMenu *openOutputMenu(Widget *window, int output)
{
    auto *menus = window->findChild<WidgetMenus *>();
    auto *video = window->findChild<TableWidget *>("videoTableWidget");
    QTableWidgetItem *item = video->itemForOutput(output);
    if (!menus || !item)
        return nullptr;
    QMenu *opened = nullptr;
    QObject::connect(menus, &WidgetMenus::menuAboutToRun, window,
                     [&opened](QMenu *menu) { opened = menu; });
    emit video->customContextMenuRequested(video->visualItemRect(item).center());
    return opened;
}

static QAction *findAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
        if (action->menu()) {
            if (QAction *inner = findAction(action->menu(), text))
                return inner;
        }
    }
    return nullptr;
}

void TestWidgetReports::outputMenuLayoutEntries_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("bindMode");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("threeChecked");
    QTest::addColumn<bool>("twoChecked");
    QTest::newRow("3x3 marked") << int(Dev0809) << 0 << true << true << false;
    QTest::newRow("2x4 marked") << int(Dev0809) << 1 << true << false << true;
    QTest::newRow("mode 2 disables both, marks none")
        << int(Dev0809) << 2 << false << false << false;
    QTest::newRow("0808-S has no layout choice") << int(Dev0808S) << 1 << false << false << true;
}

void TestWidgetReports::outputMenuLayoutEntries()
{
    QFETCH(int, type);
    QFETCH(int, bindMode);
    QFETCH(bool, enabled);
    QFETCH(bool, threeChecked);
    QFETCH(bool, twoChecked);
    DeviceState *store = DeviceState::instance();
    store->setDeviceType(DeviceType(type));
    m_window->arrangeForDeviceType();
    store->setBindMode(bindMode);
    QMenu *menu = openOutputMenu(m_window.get(), 1);
    QVERIFY(menu);
    QAction *three = findAction(menu, QStringLiteral("3 x 3"));
    QAction *two = findAction(menu, QStringLiteral("2 x 4"));
    QVERIFY(three && two);
    QCOMPARE(three->isEnabled(), enabled);
    QCOMPARE(two->isEnabled(), enabled);
    QCOMPARE(three->isChecked(), threeChecked);
    QCOMPARE(two->isChecked(), twoChecked);
    // The output's stored resolution is the marked one.
    QAction *resolution = findAction(menu, store->outputResolutionAt(1));
    QVERIFY(resolution && resolution->isChecked());
    menu->close();
    store->setBindMode(0);
}

void TestWidgetReports::disabledOutputOpensNoMenu()
{
    auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
    video->setOutputEnabled(4, false);
    QVERIFY(!openOutputMenu(m_window.get(), 4));
    video->setOutputEnabled(4, true);
    QMenu *menu = openOutputMenu(m_window.get(), 4);
    QVERIFY(menu);
    menu->close();
}

void TestWidgetReports::multiviewDropsAndLayout()
{
    DeviceState *store = DeviceState::instance();
    store->setDeviceType(Dev0809M);
    m_window->arrangeForDeviceType();
    auto *view = m_window->findChild<SingleSplitterWidget *>("wid_ss");
    auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
    QVERIFY(view);
    m_bytes.clear();
    emit view->si_drop(3, 2);
    QCOMPARE(store->multiviewWindowAt(2), 3);
    emit view->si_drop(4, 0);
    QCOMPARE(store->videoRouteAt(9), 4);
    QCOMPARE(store->multiviewWindowAt(0), 4);
    QCOMPARE(received(), QByteArray("{param=3VIDEO902}{param=4VIDEO9}"));

    emit view->si_layout_change(2);
    QVERIFY(!video->isOutputEnabled(9));
    emit view->si_layout_change(0);
    QVERIFY(video->isOutputEnabled(9));
}

void TestWidgetReports::changeNoticeFollowsSpliceGroup()
{
    DeviceState *store = DeviceState::instance();
    SpliceGroups *groups = m_window->splitManager();
    QVERIFY(groups);
    groups->replaceGroups({{1, 2, 4, 5}});
    m_bytes.clear();
    m_window->receiveChangedByOthersSlot(QJsonObject{{"video2_change", 6}});
    for (int output : {1, 2, 4, 5})
        QCOMPARE(store->videoRouteAt(output), 6);
    QVERIFY(store->videoRouteAt(3) != 6);
    QVERIFY(received().isEmpty());
    groups->replaceGroups({});
}

QTEST_MAIN(TestWidgetReports)
#include "tst_widgetreports.moc"
