// The main window applying device reports to its views, against a loopback peer that records
// what the window sends.
#include "../common/look.h"
#include "../common/modalwatcher.h"
#include "../common/windowstart.h"
#include "app/appsettings.h"
#include "commandrecorder.h"
#include "mainwindow/planbars.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "state/devicestate.h"
#include "storage/useraccountstore.h"
#include "uikit/labelclickedintableitem.h"
#include "uikit/renamedialog.h"
#include "wall/dialogbezel.h"
#include "wall/outputwidget0409.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"
#include "wall/splicegroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestWidgetReports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    CommandRecorder m_peer;
    QByteArray &m_bytes = m_peer.bytes;
    std::unique_ptr<Widget> m_window;
    DeviceState *m_store = DeviceState::instance();
    MessageDistance *m_client = MessageDistance::instance();

    QByteArray received() { return m_peer.take(); }

    template <typename T = QWidget> T *find(const char *name)
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }

    TableWidget *videoTable() { return find<TableWidget>("videoTableWidget"); }

    int shownInput(const char *table, int output)
    {
        QTableWidgetItem *item = find<TableWidget>(table)->itemForOutput(output);
        return item ? item->data(TableWidget::InputRole).toInt() : -1;
    }

    void arrange(DeviceType type)
    {
        m_store->setDeviceType(type);
        m_window->arrangeForDeviceType();
    }

    // A version report, and the status queries it schedules, the last of which goes out last.
    void reportVersion(const QJsonObject &report)
    {
        emit m_client->receiveVersionSig(report);
        const DeviceType type = m_store->deviceType();
        const QByteArray last = type == Dev0409S   ? "{param=Get_Rotate}"
                                : type == Dev0808S ? "{param=outputinfo}"
                                                   : "{param=bindinfo}";
        QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains(last), 3000);
    }

    QMenu *openOutputMenu(int output)
    {
        TableWidget *video = videoTable();
        const QTableWidgetItem *item = video->itemForOutput(output);
        return menuOpenedBy(m_window.get(), [&] {
            if (item)
                emit video->customContextMenuRequested(video->visualItemRect(item).center());
        });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.isListening());
        prepareLoginFreeStart(m_dir.path(), m_peer.serverPort());
        m_window = std::make_unique<Widget>();
        QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains("{param=version}"), 5000);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_client->closeConnections();
    }

    void init()
    {
        arrange(Dev0809);
        (void)received();
    }

    // Runs before any other test opens a page: only the video page has been shown. Pages join
    // when first opened; tabs, forms and unnamed ports speak the language chosen.
    void pagesJoinTheWindowWhenFirstOpened()
    {
        auto *tabs = find<QTabWidget>("tabWidget");
        QWidget *about = find("About");
        QVERIFY(about && !tabs->isAncestorOf(about));
        QCOMPARE(tabs->count(), 7); // the activity log last
        tabs->setCurrentIndex(5);
        QVERIFY(about->isVisible() && tabs->currentWidget()->isAncestorOf(about));
        for (int choice : {0, 1}) { // Chinese, then English
            find<QComboBox>("languageComboBox")->setCurrentIndex(choice);
            QCOMPARE(AppSettings::instance()->language(), choice); // kept for the next start
            for (int tab : {0, 4}) { // the cells' tooltips hear of it as it is posted
                tabs->setCurrentIndex(tab);
                QVERIFY_LOOK(QStringLiteral("language-%1-tab%2.txt").arg(choice).arg(tab),
                             m_window.get());
            }
        }
        tabs->setCurrentIndex(0);
    }

    void reportsReachTheViews()
    {
        emit m_client->receiveVideoAudioIRMapSig(
            QJsonDocument::fromJson(R"({"video1": 4, "video2": 4, "audio3": 2, "IR4": 7})")
                .object());
        // The audio and infrared cells are made later, yet show what arrived meanwhile.
        QCOMPARE(shownInput("videoTableWidget", 2), 4);
        QCOMPARE(shownInput("AudioTable", 3), 2);
        QCOMPARE(shownInput("InfaredTable", 4), 7);
        // A newer report replaces the maps whole; output 1's cell keeps what it showed.
        emit m_client->receiveVideoAudioIRMapSig(QJsonObject{{"video2", 6}});
        QCOMPARE(shownInput("videoTableWidget", 1), 4);
        QCOMPARE(shownInput("videoTableWidget", 2), 6);

        emit m_client->receiveHDCPInfoSig(QJsonObject{{"hdcp_in2", "3"}});
        QCOMPARE(m_store->inputHdcpAt(2), 3);
        // Link, pause, lock and blanking, as reported.
        const TableItemWidget *cell = videoTable()->cellForOutput(2);
        emit m_client->receiveOutputInfoSig(QJsonObject{{"link2", "true/true/true/false"}});
        QVERIFY(cell->isLinked() && cell->isFrozen() && cell->isLocked() && !cell->isMuted());
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"e", "Frozen2/0!"}});
        QVERIFY(!cell->isFrozen());

        // A notice for one output of a splice group routes the whole group, sending nothing.
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"video3_change", 2}});
        m_window->splitManager()->replaceGroups({{1, 2, 4, 5}});
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"video2_change", 6}});
        m_window->splitManager()->replaceGroups({});
        for (int output : {1, 2, 3, 4, 5})
            QCOMPARE(shownInput("videoTableWidget", output), output == 3 ? 2 : 6);

        QVERIFY(received().isEmpty());
    }

    // The reported model arranges the window (an unknown one keeps it, and the default is
    // stored); the audio page has no analog table on a wall model, and no HDMI table while that
    // audio follows the video. The mode shown is not sent back.
    void versionReport_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("follow");
        QTest::addColumn<int>("type");
        QTest::newRow("0808-S") << "0808-S" << false << int(Dev0808S);
        QTest::newRow("0809, following") << "0809" << true << int(Dev0809);
        QTest::newRow("0409-S") << "0409-S" << false << int(Dev0409S);
        QTest::newRow("unknown, following") << "9999" << true << int(Dev0809);
    }

    void versionReport()
    {
        QFETCH(QString, device);
        QFETCH(bool, follow);
        QFETCH(int, type);
        AppSettings::instance()->setType(4);
        reportVersion(QJsonObject{{"device", device},
                                  {"MCU", "1.2"},
                                  {"FPGA", "3.4"},
                                  {"type", "CVN-X"},
                                  {"audio", follow ? "true" : "false"}});
        QCOMPARE(int(m_store->deviceType()), type);
        QCOMPARE(AppSettings::instance()->type(), type);
        QCOMPARE(m_window->hdmiAudioFollow(), follow);
        // The first query leaves at once, before the views are rebuilt.
        QVERIFY(m_bytes.startsWith("{param=status}"));
        QVERIFY(!m_bytes.contains("Video}"));
        // Each page as the model has it: tables and their layout, the about page's versions.
        for (int tab = 0; tab < 6; ++tab) { // the activity log's times differ run to run
            find<QTabWidget>("tabWidget")->setCurrentIndex(tab);
            QVERIFY_LOOK(QStringLiteral("window-%1-%2.txt").arg(device).arg(tab), m_window.get());
        }
        find<QTabWidget>("tabWidget")->setCurrentIndex(0);
        (void)received(); // the operator's choice is sent
        find<QComboBox>("HdmiAudioComboBox")->setCurrentIndex(follow ? 1 : 0);
        QCOMPARE(received(), QByteArray(follow ? "{param=AloneVideo}" : "{param=FollowVideo}"));
    }

    // A cell's button asks for the opposite state. The device hears of the port only; the store
    // and the cells follow for the group, except for the lock, which is the port's own.
    void cellButtonsActOnTheWholeGroup_data()
    {
        QTest::addColumn<int>("button"); // pause, mute, lock
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("pause") << 0 << QByteArray("{param=Frozen2/1}");
        QTest::newRow("mute") << 1 << QByteArray("{param=VideoMuteOn2}");
        QTest::newRow("lock") << 2 << QByteArray("{param=Output_Lock2/0}");
    }

    void cellButtonsActOnTheWholeGroup()
    {
        QFETCH(int, button);
        for (int o : {1, 2, 3, 4}) {
            m_store->setFrozenAt(o, false);
            m_store->setVideoMuteAt(o, false);
            m_store->setOutputLockAt(o, false);
        }
        m_window->splitManager()->replaceGroups({{1, 2, 4}});
        TableWidget *video = videoTable();
        const TableItemWidget *two = video->cellForOutput(2);
        QWidget *label =
            QList<QWidget *>{two->playLabel(), two->muteLabel(), two->lockLabel()}.at(button);
        QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
        m_window->splitManager()->replaceGroups({});
        QTEST(received(), "sent");
        QVERIFY_LOOK(QStringLiteral("cells-%1.txt").arg(QTest::currentDataTag()), video);
        for (int o : {1, 2, 3, 4}) {
            const bool changed = button == 2 ? o == 2 : o != 3;
            if (button == 2) // the lock is shown by the output menu only
                QCOMPARE(video->cellForOutput(o)->isLocked(), changed);
            QCOMPARE((QList<bool>{m_store->frozenAt(o), m_store->videoMuteAt(o),
                                  m_store->outputLockAt(o)})
                         .at(button),
                     changed);
            m_store->setOutputLockAt(o, true); // as an unreported output is shown
        }
    }

    // A user name shows as typed, never as markup.
    void connectionText()
    {
        auto *label = find<QLabel>("connectState");
        AppSettings::instance()->setCurrentUser(QStringLiteral("<b>Ann</b>"));
        emit m_client->connectFailureSig();
        QVERIFY(label->text().contains(QLatin1String("User:<b>Ann</b>")));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(AppSettings::instance()->connectionState(), AppSettings::Disconnected);
    }

    void dhcpSwitchSendsAtOnce()
    {
        find<QTabWidget>("tabWidget")->setCurrentIndex(4);
        auto *dhcp = find<QCheckBox>("DhcpSwitchCheck");
        for (int i = 0; i < 2; ++i) {
            dhcp->setChecked(!dhcp->isChecked());
            QCOMPARE(received(),
                     QByteArray(dhcp->isChecked() ? "{param=DHCP_On}" : "{param=DHCP_Off}"));
        }
    }

    // One click used to wipe the device: it asks first, naming the device, and a no sends
    // nothing. The device's acknowledgement then asks for a restart.
    void factoryResetAsksFirst()
    {
        bool confirm = false;
        ModalWatcher watcher([&confirm](QDialog *d) { d->done(confirm ? 1 : 0); });
        auto *button = find<QPushButton>("factorResetBtn");
        button->click();
        QVERIFY(watcher.seen().value(0).text.contains(
            QStringLiteral("127.0.0.1:%1").arg(m_peer.serverPort())));
        QVERIFY(received().isEmpty());
        confirm = true;
        button->click();
        QCOMPARE(received(), QByteArray("{param=Default}"));
        emit m_client->si_http200Analysis();
        QCOMPARE(watcher.seen().value(2).title, QStringLiteral("Network Changed"));
    }

    // Only a wall model shows its tools and bezel; the 0404 has one fixed layout. A fourth
    // digit and a sign are refused while typing.
    void wallToolsAndBezel()
    {
        for (DeviceType type : {Dev0409S, Dev0404}) {
            arrange(type);
            for (const char *name : {"wid_0409", "bezelBtn", "lb_bezel"})
                QCOMPARE(find(name)->isHidden(), type != Dev0409S);
        }
        QCOMPARE(m_store->bindMode(), 2);
        m_store->setBezel({1, 2, 3, 4, 5, 6, 7, 8});
        DialogBezel dialog;
        QVERIFY_LOOK("bezel.txt", &dialog); // the fields start from the store
        const QList<QLineEdit *> fields = dialog.fields();
        for (int i : {0, 1}) {
            fields[i]->clear();
            QTest::keyClicks(fields[i], i ? QStringLiteral("-7") : QStringLiteral("1000"));
        }
        dialog.findChild<QPushButton *>("btn_ok")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_store->bezel(), (BezelValues{100, 7, 3, 4, 5, 6, 7, 8}));
        DialogBezel cancelled; // keeps nothing it was given
        cancelled.fields()[0]->setText(QStringLiteral("5"));
        cancelled.findChild<QPushButton *>("btn_cancel")->click();
        QCOMPARE(m_store->bezel(), (BezelValues{100, 7, 3, 4, 5, 6, 7, 8}));
        m_store->setVirMode(3); // a wall of 4 x 2 screens: the grid buttons say so
        QVERIFY_LOOK("wall-tools-vir3.txt", find("wid_0409_tools"));
    }

    // The stored layout is marked where the model lets the operator choose one; so is the
    // output's resolution, and an output lock on is "No Standby". A disabled output opens no
    // menu.
    void outputMenuEntries_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("bindMode");
        QTest::newRow("3x3 marked") << int(Dev0809) << 0;
        QTest::newRow("2x4 marked") << int(Dev0809) << 1;
        QTest::newRow("mode 2 disables both, marks none") << int(Dev0809) << 2;
        QTest::newRow("0808-S has no layout choice, no splice") << int(Dev0808S) << 1;
    }

    void outputMenuEntries()
    {
        QFETCH(int, type);
        QFETCH(int, bindMode);
        arrange(DeviceType(type));
        m_store->setBindMode(bindMode);
        videoTable()->setOutputEnabled(4, false);
        QVERIFY(!openOutputMenu(4));
        videoTable()->setOutputEnabled(4, true);
        QMenu *menu = openOutputMenu(4);
        QVERIFY(menu);
        QVERIFY_LOOK(QStringLiteral("menu-output-%1.txt").arg(QTest::currentDataTag()), menu);
        menu->close();
        m_store->setBindMode(0);
    }

    // A plan renamed from its menu is named on both bars.
    void planRenamedOnBothBars()
    {
        auto *plans = m_window->findChild<PlanBars *>();
        QMenu *menu = menuOpenedBy(m_window.get(),
                                   [plans] { emit plans->menuRequested(plans->videoPlans(), 3); });
        QVERIFY(menu);
        ModalWatcher rename([](QDialog *dialog) {
            emit static_cast<RenameDialog *>(dialog)->Sig_SetNewName(QStringLiteral("Show B"));
            dialog->accept();
        });
        findAction(menu, QStringLiteral("Rename Plan 4"))->trigger();
        QCOMPARE(find<PlanPushButton>("btn_plan4")->caption(), QStringLiteral("[4]Show B"));
        QCOMPARE(find<PlanPushButton>("btn_plan4_2")->caption(), QStringLiteral("[4]Show B"));
        (void)received();
        // A recall is followed by a status query some time later: not made here.
        for (const char *entry : {"Save Plan 4", "Clear Plan 4"})
            findAction(menu, QLatin1String(entry))->trigger();
        QCOMPARE(received(), QByteArray("{param=Save4}{param=Clear4}"));
    }

    void menuOutlivesATableRebuild()
    {
        QMenu *menu = openOutputMenu(3);
        QVERIFY(menu);
        QPointer<QMenu> alive(menu);
        // Another client's layout change rebuilds the table under the open menu.
        emit MessageDistance::instance()->receiveChangedByOthersSig(QJsonObject{{"mode", 1}});
        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
        QCOMPARE(video->columnCount(), 5);
        QVERIFY(video->cellForOutput(3)->isLocked());
        m_bytes.clear();
        findAction(menu, QStringLiteral("Standby"))->trigger();
        QVERIFY(!video->cellForOutput(3)->isLocked());
        QCOMPARE(received(), QByteArray("{param=Output_Lock3/1}"));
        if (alive)
            menu->close();
        m_store->setBindMode(0);
        arrange(Dev0809);
    }

    void multiviewDropsAndLayout()
    {
        arrange(Dev0809M);
        auto *view = find<SingleSplitterWidget>("wid_ss");
        QVERIFY_LOOK("tabs-multiview.txt", find("qt_tabwidget_tabbar")); // this page, named for it
        emit view->si_drop(3, 2);
        emit view->si_drop(4, 0); // the whole output
        QCOMPARE(shownInput("videoTableWidget", 9), 4);
        QCOMPARE(received(), QByteArray("{param=3VIDEO902}{param=4VIDEO9}"));
        emit view->si_layout_change(2);
        QVERIFY(!videoTable()->isOutputEnabled(9));
        emit view->si_layout_change(0);
        QVERIFY(videoTable()->isOutputEnabled(9));
        emit m_client->receiveInOutChannelResolutionMapSig(QJsonObject{{"out9", "1280x1024x60Hz"}});
        QCOMPARE(view->outputSize(), QSize(1280, 1024)); // the picture keeps the output's shape
        arrange(Dev0809);
        QVERIFY_LOOK("tabs-0809.txt", find("qt_tabwidget_tabbar"));
    }

    void loginFreeSwitchIsSaved()
    {
        auto *box = m_window->findChild<QCheckBox *>("IsNotNeedLoginCheck");
        const bool was = box->isChecked();
        for (bool on : {!was, was}) {
            box->click();
            QCOMPARE(box->isChecked(), on);
            QCOMPARE(UserAccountStore().loginModel(), on ? 1 : 0);
        }
    }

    // A wall plan is recalled only once the wall's windows, resolution and rotation are known;
    // until then the operator is told what is missing and nothing is sent.
    void wallPlanWaitsForTheWallsReports()
    {
        arrange(Dev0409S);
        auto *canvas = find<OutputWidget0409>("widget_out_0409");
        auto *plan = find<PlanPushButton>("btn_plan3_2");
        auto recall = [plan] { emit plan->si_doubleClick(); };
        canvas->resetReceivedFlags();
        emit m_client->receiveWindowStatusSig(QJsonObject{{"VIR", 0}});
        emit m_client->receiveInOutChannelResolutionMapSig(QJsonObject{{"out1", "1920x1080x60Hz"}});
        {
            ModalWatcher watcher;
            recall();
            QCOMPARE(watcher.count(), 1);
            QVERIFY(watcher.lines().first().contains("Not Received"));
        }
        QVERIFY(received().isEmpty());
        emit m_client->receiveRotateAngleSig(QJsonObject{{"Angle1", 0}});
        recall();
        QTRY_VERIFY(m_bytes.contains("{param=status}"));
        QCOMPARE(received(), QByteArray("{param=Recall3}{param=status}"));
    }
};

QTEST_MAIN(TestWidgetReports)
#include "tst_widgetreports.moc"
