// The main window applying device reports to its views, against a loopback peer that records
// what the window sends.
#include "../common/modalwatcher.h"
#include "../common/windowstart.h"
#include "app/appsettings.h"
#include "commandrecorder.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "mainwindow/widgetmenus.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "storage/plannamestore.h"
#include "storage/useraccountstore.h"
#include "wall/dialogbezel.h"
#include "wall/outputwidget0409.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"
#include "wall/splicegroups.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
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
        auto *menus = m_window->findChild<WidgetMenus *>();
        TableWidget *video = videoTable();
        QTableWidgetItem *item = video->itemForOutput(output);
        if (!menus || !item)
            return nullptr;
        QMenu *opened = nullptr;
        QMetaObject::Connection c = connect(menus, &WidgetMenus::menuAboutToRun, this,
                                            [&opened](QMenu *menu) { opened = menu; });
        emit video->customContextMenuRequested(video->visualItemRect(item).center());
        disconnect(c);
        return opened;
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
        QVERIFY(about && find("IpEdit"));
        QCOMPARE(tabs->count(), 7);
        QVERIFY(!about->isVisible() && !tabs->isAncestorOf(about));
        tabs->setCurrentIndex(5);
        QVERIFY(about->isVisible() && tabs->currentWidget()->isAncestorOf(about));
        QTRY_COMPARE(about->geometry(), tabs->currentWidget()->rect());
        QVERIFY(!tabs->isAncestorOf(find("IpEdit")));

        auto *language = find<QComboBox>("languageComboBox");
        auto *list = find<ListWidget>("listWidget");
        const char *const sources[] = {"Video",   nullptr, "Audio",   "Infared",
                                       "Setting", "About", "Activity"};
        for (int choice : {0, 1}) {
            language->setCurrentIndex(choice);
            QCOMPARE(AppSettings::instance()->language(), choice); // kept for the next start
            for (int i = 0; i < 7; ++i) {
                if (sources[i])
                    QCOMPARE(tabs->tabText(i), QCoreApplication::translate("Widget", sources[i]));
            }
            const QString input1 = list->entry(ListWidget::VideoKind, 1)->text();
            QCOMPARE(input1.mid(5), QCoreApplication::translate("AppSettings", "Input %1").arg(1));
            if (choice == 0) { // the Chinese texts are in use, also in the waiting pages' forms
                QVERIFY(!input1.endsWith(QLatin1String("Input 1")));
                QVERIFY(tabs->tabText(2) != QLatin1String("Audio"));
                QVERIFY(find<QGroupBox>("gb_network")->title() != QLatin1String("Network"));
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

        TableWidget *video = videoTable();
        emit m_client->receiveOutputInfoSig(QJsonObject{{"link2", "true/true/true/false"}});
        QVERIFY(video->cellForOutput(2)->isFrozen());
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"e", "Frozen2/0!"}});
        QVERIFY(!video->cellForOutput(2)->isFrozen());

        // A notice for one output of a splice group routes the whole group, sending nothing.
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"video3_change", 2}});
        m_window->splitManager()->replaceGroups({{1, 2, 4, 5}});
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"video2_change", 6}});
        m_window->splitManager()->replaceGroups({});
        for (int output : {1, 2, 3, 4, 5})
            QCOMPARE(shownInput("videoTableWidget", output), output == 3 ? 2 : 6);

        // Notices the port dialogs and the wall wait for.
        QSignalSpy forwarded(m_window->reports(), &ReportApplier::scalingModeEchoed);
        QSignalSpy hdcp(m_window->reports(), &ReportApplier::hdcpChangedByOthers);
        QSignalSpy windows(m_window->reports(), &ReportApplier::windowsReported);
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"e", "Scaler_Mode7/2!"}});
        emit m_client->receiveChangedByOthersSig(QJsonObject{{"e", "Input_HDCP2/3!"}});
        emit m_client->receiveWindowStatusSig(QJsonObject{{"VIR", 2}});
        QCOMPARE(forwarded.count() + hdcp.count() + windows.count(), 3);
        QVERIFY(received().isEmpty());
    }

    void versionReport_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("type");
        QTest::newRow("0808-S") << QString("0808-S") << int(Dev0808S);
        QTest::newRow("0404") << QString("0404") << int(Dev0404);
        QTest::newRow("unknown keeps the type, stores the default")
            << QString("9999") << int(Dev0809);
    }

    void versionReport()
    {
        QFETCH(QString, device);
        QFETCH(int, type);
        AppSettings::instance()->setType(4);
        reportVersion(QJsonObject{{"device", device},
                                  {"MCU", "1.2"},
                                  {"FPGA", "3.4"},
                                  {"type", "CVN-X"},
                                  {"audio", "true"}});
        QCOMPARE(int(m_store->deviceType()), type);
        QCOMPARE(AppSettings::instance()->type(), type);
        QCOMPARE((QStringList{find<QLabel>("deviceKindLabel")->text(),
                              find<QLabel>("deviceMCU_label")->text(),
                              find<QLabel>("deviceFPGA_label")->text(),
                              find<QLabel>("softwareLabel")->text()}),
                 (QStringList{"CVN-X", "1.2", "3.4", "V" CORVANE_VERSION}));
        QVERIFY(m_window->hdmiAudioFollow());
        QCOMPARE(find<QComboBox>("HdmiAudioComboBox")->currentIndex(), 0);
        // The first query leaves at once, before the views are rebuilt.
        QVERIFY(m_bytes.startsWith("{param=status}"));
        QVERIFY(m_bytes.contains("{param=resolution}"));
        m_bytes.clear();
        reportVersion(QJsonObject{{"device", "0809"}, {"audio", "false"}});
        QVERIFY(!m_window->hdmiAudioFollow());
        QCOMPARE(find<QComboBox>("HdmiAudioComboBox")->currentIndex(), 1);
        QVERIFY(!m_bytes.contains("Video}"));
    }

    // The device hears of the port only; the store and the cells follow for the group.
    void cellButtonsActOnTheWholeGroup_data()
    {
        QTest::addColumn<bool>("mute"); // else pause
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("pause") << false << QByteArray("{param=Frozen2/1}");
        QTest::newRow("mute") << true << QByteArray("{param=VideoMuteOn2}");
    }

    void cellButtonsActOnTheWholeGroup()
    {
        QFETCH(bool, mute);
        for (int o : {1, 2, 3, 4}) {
            m_store->setFrozenAt(o, false);
            m_store->setVideoMuteAt(o, false);
        }
        m_window->splitManager()->replaceGroups({{1, 2, 4}});
        TableWidget *video = videoTable();
        if (mute)
            emit video->si_orderToMute(2, true);
        else
            emit video->si_orderToPause(2, true);
        m_window->splitManager()->replaceGroups({});
        QTEST(received(), "sent");
        for (int o : {1, 2, 3, 4}) {
            const TableItemWidget *cell = video->cellForOutput(o);
            QCOMPARE(mute ? m_store->videoMuteAt(o) : m_store->frozenAt(o), o != 3);
            QCOMPARE(mute ? cell->isMuted() : cell->isFrozen(), o != 3);
        }
    }

    void bindModeLaysTheTableOut()
    {
        arrange(Dev0404);
        QCOMPARE(m_store->bindMode(), 2);
        m_store->setDeviceType(Dev0809);
        emit m_client->receiveBindInfoSig(QJsonObject{{"mode", 1}});
        // 5 x 2 with the empty top-right cell: outputs 1..4 above, 5..9 below.
        QCOMPARE(videoTable()->columnCount(), 5);
        QVERIFY(videoTable()->itemForOutput(9));
        m_store->setBindMode(0);
    }

    // After a change of language the connected text is the single-spaced one; names show as
    // typed.
    void connectionText()
    {
        auto *label = find<QLabel>("connectState");
        emit MessageDistance::instance()->connectSuccessFulSig();
        QVERIFY(label->text().contains(QLatin1String("   Ip:")));
        QVERIFY(label->text().endsWith(QLatin1String("  connected")));
        QCOMPARE(AppSettings::instance()->connectionState(), AppSettings::Connected);
        auto *language = find<QComboBox>("languageComboBox");
        language->setCurrentIndex(0);
        language->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const QString text = label->text();
        QVERIFY(text.contains(QLatin1String("  Ip:")) && !text.contains(QLatin1String("   Ip:")));
        QVERIFY(text.endsWith(QLatin1String(" connected")) &&
                !text.endsWith(QLatin1String("  connected")));

        AppSettings::instance()->setCurrentUser(QStringLiteral("<b>Ann</b>"));
        emit MessageDistance::instance()->connectFailureSig();
        QVERIFY(label->text().contains(QLatin1String("User:<b>Ann</b>")));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->text().endsWith(QLatin1String(" disconnected")));
        QCOMPARE(AppSettings::instance()->connectionState(), AppSettings::Disconnected);
        emit MessageDistance::instance()->connectingSig();
        QVERIFY(label->text().endsWith(QLatin1String(" connecting")));
    }

    void settingPagesHideTheSignalList()
    {
        auto *tabs = find<QTabWidget>("tabWidget");
        QWidget *left = find("leftContentWidget");
        for (int page : {4, 5, 2}) {
            tabs->setCurrentIndex(page);
            QCOMPARE(left->isVisible(), page == 2);
            QCOMPARE(tabs->styleSheet().contains(QLatin1String("left:200px")), page != 2);
        }
        // The setting page's lists take their plain list views once the page has been shown.
        for (const char *name : {"languageComboBox", "HdmiAudioComboBox"})
            QCOMPARE(find<QComboBox>(name)->view()->metaObject()->className(), "QListView");
        tabs->setCurrentIndex(4);
        auto *dhcp = find<QCheckBox>("DhcpSwitchCheck");
        for (int i = 0; i < 2; ++i) {
            dhcp->setChecked(!dhcp->isChecked());
            QCOMPARE(received(),
                     QByteArray(dhcp->isChecked() ? "{param=DHCP_On}" : "{param=DHCP_Off}"));
        }
    }

    // Only a wall model offers it. A fourth digit and a sign are refused while typing.
    void bezelDialogStoresAllEight()
    {
        const QWidget *page = find("SettingTabWidget");
        for (DeviceType type : {Dev0409S, Dev0404}) {
            arrange(type);
            QCOMPARE(find("bezelBtn")->isVisibleTo(page), type == Dev0409S);
            QCOMPARE(find("lb_bezel")->isVisibleTo(page), type == Dev0409S);
        }
        m_store->setBezel({1, 2, 3, 4, 5, 6, 7, 8});
        DialogBezel dialog;
        const QList<QLineEdit *> fields = dialog.fields();
        QCOMPARE(fields.size(), 8);
        QCOMPARE(fields[5]->text(), QStringLiteral("6"));
        for (int i : {0, 1}) {
            fields[i]->clear();
            QTest::keyClicks(fields[i], i ? QStringLiteral("-7") : QStringLiteral("1000"));
        }
        dialog.findChild<QPushButton *>("btn_ok")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_store->bezel(), (BezelValues{100, 7, 3, 4, 5, 6, 7, 8}));
    }

    // The stored layout and resolution are marked; output 0 is a disabled output, which opens
    // no menu.
    void outputMenuEntries_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("bindMode");
        QTest::addColumn<int>("output");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("threeChecked");
        QTest::addColumn<bool>("twoChecked");
        QTest::newRow("3x3 marked") << int(Dev0809) << 0 << 1 << true << true << false;
        QTest::newRow("2x4 marked") << int(Dev0809) << 1 << 1 << true << false << true;
        QTest::newRow("mode 2 disables both, marks none")
            << int(Dev0809) << 2 << 1 << false << false << false;
        QTest::newRow("0808-S has no layout choice")
            << int(Dev0808S) << 1 << 1 << false << false << true;
        QTest::newRow("disabled output") << int(Dev0809) << 0 << 0 << true << true << false;
    }

    void outputMenuEntries()
    {
        QFETCH(int, type);
        QFETCH(int, bindMode);
        QFETCH(int, output);
        QFETCH(bool, enabled);
        arrange(DeviceType(type));
        m_store->setBindMode(bindMode);
        if (!output) {
            videoTable()->setOutputEnabled(4, false);
            QVERIFY(!openOutputMenu(4));
            videoTable()->setOutputEnabled(4, true);
        }
        QMenu *menu = openOutputMenu(output ? output : 4);
        QVERIFY(menu);
        QAction *three = findAction(menu, QStringLiteral("3 x 3"));
        QAction *two = findAction(menu, QStringLiteral("2 x 4"));
        QVERIFY(three && two);
        QCOMPARE((QList<bool>{three->isEnabled(), two->isEnabled()}),
                 (QList<bool>{enabled, enabled}));
        QTEST(three->isChecked(), "threeChecked");
        QTEST(two->isChecked(), "twoChecked");
        QAction *resolution = findAction(menu, m_store->outputResolutionAt(output ? output : 4));
        QVERIFY(resolution && resolution->isChecked());
        menu->close();
        m_store->setBindMode(0);
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
        auto *tabs = find<QTabWidget>("tabWidget");
        QVERIFY(view && tabs->isTabEnabled(1)); // the multiview page is this model's only
        emit view->si_drop(3, 2);
        QCOMPARE(m_store->multiviewWindowAt(2), 3);
        emit view->si_drop(4, 0);
        QCOMPARE(shownInput("videoTableWidget", 9), 4);
        QCOMPARE(received(), QByteArray("{param=3VIDEO902}{param=4VIDEO9}"));
        emit view->si_layout_change(2);
        QVERIFY(!videoTable()->isOutputEnabled(9));
        emit view->si_layout_change(0);
        QVERIFY(videoTable()->isOutputEnabled(9));

        // The view fills the page beside its buttons; its picture keeps the output's shape.
        tabs->setCurrentIndex(1);
        const QWidget *page = find("JointTabWidget");
        QTRY_VERIFY(view->isVisible() && page->width() > 600);
        QVERIFY(view->width() >= page->width() - find("wid_splitterButtons")->width() - 3 * 8);
        for (const char *out9 : {"", "1280x1024x60Hz", ""}) {
            emit m_client->receiveInOutChannelResolutionMapSig(QJsonObject{{"out9", out9}});
            const QSize size = *out9 ? QSize(1280, 1024) : QSize(1920, 1080);
            const QRectF area = view->outputArea();
            QCOMPARE(view->outputSize(), size);
            QVERIFY(qAbs(area.width() * size.height() / size.width() - area.height()) < 1);
            QVERIFY(area.width() == view->width() || area.height() == view->height());
        }
        tabs->setCurrentIndex(0);
        arrange(Dev0809);
        QVERIFY(!tabs->isTabEnabled(1));
    }

    // Tables under their captions, side by side alike or one alone, in the middle either way.
    void audioPageOfEachModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("follow");
        QTest::addColumn<QString>("shown"); // left to right
        QTest::addColumn<QSize>("layout");
        QTest::newRow("0809, following") << "0809" << true << "AudioTable" << QSize(3, 3);
        QTest::newRow("0808-S") << "0808-S" << false << "AudioTable audioHDMITable" << QSize(4, 2);
        QTest::newRow("0409-S") << "0409-S" << true << "audioHDMITable" << QSize(1, 1);
    }

    void audioPageOfEachModel()
    {
        QFETCH(QString, model);
        QFETCH(bool, follow);
        QFETCH(QSize, layout);
        reportVersion(QJsonObject{{"device", model}, {"audio", follow ? "true" : "false"}});
        QCOMPARE(find<QLabel>("typeLabel")->text(), model);
        find<QTabWidget>("tabWidget")->setCurrentIndex(2);
        const QWidget *page = find("AudioWidget");
        QTRY_VERIFY(page->isVisible());
        QStringList names;
        QRect left, right; // the first and last table shown
        for (const TableWidget *table : page->findChildren<TableWidget *>()) {
            if (!table->isVisible())
                continue;
            names << table->objectName();
            const auto *caption = find<QLabel>(
                names.last() == QLatin1String("AudioTable") ? "lb_analogAudio" : "lb_hdmiAudio");
            QCOMPARE(QSize(table->layoutColumns(), table->layoutRows()), layout);
            QVERIFY(caption->isVisible() && caption->x() == table->x());
            QVERIFY(caption->geometry().bottom() < table->y());
            right = table->geometry();
            left = left.isNull() ? right : left;
        }
        QTEST(names.join(' '), "shown");
        QVERIFY(left.size() == right.size() && left.y() == right.y() && left.x() <= right.x());
        QVERIFY(qAbs((left.left() + right.right()) / 2 - page->rect().center().x()) <= 8);
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

    // A plan renamed from its menu is saved for this device and named on both bars.
    void planRenamedOnBothBars()
    {
        auto *menus = m_window->findChild<WidgetMenus *>();
        QMenu *opened = nullptr;
        const QMetaObject::Connection c =
            connect(menus, &WidgetMenus::menuAboutToRun, this, [&opened](QMenu *m) { opened = m; });
        find<PlanPushButton>("btn_plan3")->click();
        disconnect(c);
        QVERIFY(opened);
        ModalWatcher watcher([](QDialog *d) {
            d->findChild<QLineEdit *>()->setText(QStringLiteral("Show"));
            d->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
        });
        findAction(opened, QStringLiteral("Rename Plan 3"))->trigger();
        opened->close();
        QCOMPARE(watcher.count(), 1);
        for (const char *bar : {"btn_plan3", "btn_plan3_2"})
            QCOMPARE(find<PlanPushButton>(bar)->caption(), QStringLiteral("[3]Show"));
        QCOMPARE(PlanNameStore().loadPlanNames(m_store->ip()).value(3), QStringLiteral("Show"));
    }

    void iconOnlyControlsSayWhatTheyDo()
    {
        for (const QAbstractButton *b : m_window->findChildren<QAbstractButton *>()) {
            // Qt's own parts have no name, or belong to a tab bar.
            if (!b->objectName().isEmpty() && !b->parent()->inherits("QTabBar") &&
                b->text().isEmpty())
                QVERIFY2(!b->toolTip().isEmpty(), qPrintable(b->objectName()));
        }
        // The window button maximises and restores, and says which it will do next.
        auto *button = find<QPushButton>("btn_RestoreOrMax");
        for (bool maximised : {true, false}) {
            button->click();
            QTRY_COMPARE(m_window->isMaximized(), maximised);
            QCOMPARE(button->toolTip(), maximised ? QString("Restore") : QString("Maximize"));
        }
    }
};

QTEST_MAIN(TestWidgetReports)
#include "tst_widgetreports.moc"
