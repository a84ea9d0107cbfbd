// The main window applying device reports to the store and the tables, against a loopback peer
// that records what the window sends.
#include "../common/windowstart.h"
#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "wall/splicegroups.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "mainwindow/widgetmenus.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "wall/dialogbezel.h"
#include "wall/singlesplitterwidget.h"

#include <QAbstractItemView>
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
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

static QJsonObject json(const char *text)
{
    return QJsonDocument::fromJson(text).object();
}

class TestWidgetReports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTcpServer m_server;
    QTcpSocket *m_peer = nullptr;
    QByteArray m_bytes;
    std::unique_ptr<Widget> m_window;
    DeviceState *m_store = DeviceState::instance();

    QByteArray received()
    {
        QTest::qWait(100);
        return m_bytes;
    }

    int shownInput(const char *table, int output)
    {
        QTableWidgetItem *item = m_window->findChild<TableWidget *>(table)->itemForOutput(output);
        return item ? item->data(TableWidget::InputRole).toInt() : -1;
    }

    void arrange(DeviceType type)
    {
        m_store->setDeviceType(type);
        m_window->arrangeForDeviceType();
    }

    QMenu *openOutputMenu(int output)
    {
        auto *menus = m_window->findChild<WidgetMenus *>();
        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
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
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_peer = m_server.nextPendingConnection();
            connect(m_peer, &QTcpSocket::readyRead, this, [this] { m_bytes += m_peer->readAll(); });
        });
        prepareLoginFreeStart(m_dir.path(), m_server.serverPort());
        m_window = std::make_unique<Widget>();
        QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains("{param=version}"), 5000);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        MessageDistance::instance()->closeConnections();
    }

    void init()
    {
        arrange(Dev0809);
        QTest::qWait(20);
        m_bytes.clear();
    }

    void pagesJoinTheWindowWhenFirstOpened()
    {
        // Runs before any other test opens a page: only the video page has been shown.
        auto *tabs = m_window->findChild<QTabWidget *>("tabWidget");
        auto *about = m_window->findChild<QWidget *>("About");
        auto *ipEdit = m_window->findChild<QLineEdit *>("IpEdit");
        QVERIFY(about && ipEdit);
        QCOMPARE(tabs->count(), 6);
        QVERIFY(!about->isVisible());
        QVERIFY(!tabs->isAncestorOf(about));

        tabs->setCurrentIndex(5);
        QVERIFY(about->isVisible());
        QVERIFY(tabs->currentWidget()->isAncestorOf(about));
        QTRY_COMPARE(about->geometry(), tabs->currentWidget()->rect());
        QVERIFY(!tabs->isAncestorOf(ipEdit));

        // Tabs whose pages wait, or sit in their tab's place, are named in either language.
        auto *language = m_window->findChild<QComboBox *>("languageComboBox");
        auto *list = m_window->findChild<ListWidget *>("listWidget");
        const char *const sources[] = {"Video", nullptr, "Audio", "Infared", "Setting", "About"};
        for (int choice : {0, 1}) {
            language->setCurrentIndex(choice);
            QCOMPARE(AppSettings::instance()->language(), choice); // kept for the next start
            for (int i = 0; i < 6; ++i) {
                if (sources[i])
                    QCOMPARE(tabs->tabText(i), QCoreApplication::translate("Widget", sources[i]));
            }
            // Ports nobody named are named in the language shown.
            const QString input1 = list->entry(ListWidget::VideoKind, 1)->text();
            QCOMPARE(input1.mid(5), QCoreApplication::translate("AppSettings", "Input %1").arg(1));
            if (choice == 0) { // the Chinese texts are in use, not the forms' own
                QVERIFY(!input1.endsWith(QLatin1String("Input 1")));
                QVERIFY(tabs->tabText(2) != QLatin1String("Audio"));
                // The waiting pages have a form of their own; its texts are translated too.
                QVERIFY(m_window->findChild<QGroupBox *>("gb_network")->title() !=
                        QLatin1String("Network"));
            }
        }
        tabs->setCurrentIndex(0);
    }

    void reportsReachTheViews()
    {
        MessageDistance *c = MessageDistance::instance();
        emit c->receiveVideoAudioIRMapSig(
            json(R"({"video1": 4, "video2": 4, "audio3": 2, "IR4": 7})"));
        // The audio and infrared cells are made later, yet show what arrived meanwhile.
        QCOMPARE(shownInput("videoTableWidget", 2), 4);
        QCOMPARE(shownInput("AudioTable", 3), 2);
        QCOMPARE(shownInput("InfaredTable", 4), 7);
        // A newer report replaces the maps whole: output 1 is gone from the store, but its cell
        // keeps what it showed.
        emit c->receiveVideoAudioIRMapSig(QJsonObject{{"video2", 6}});
        QCOMPARE(shownInput("videoTableWidget", 1), 4);
        QCOMPARE(shownInput("videoTableWidget", 2), 6);

        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
        emit c->receiveOutputInfoSig(QJsonObject{{"link2", "true/true/true/false"}});
        QVERIFY(video->cellForOutput(2)->isFrozen());
        emit c->receiveChangedByOthersSig(QJsonObject{{"e", "Frozen2/0!"}});
        QVERIFY(!video->cellForOutput(2)->isFrozen());

        // Notices the port dialogs and the wall wait for are the window's.
        QSignalSpy forwarded(m_window.get(), &Widget::si_ForwardAnalysis);
        QSignalSpy hdcp(m_window.get(), &Widget::si_hdcpChangedByOthers);
        QSignalSpy windows(m_window.get(), &Widget::si_windows_ready);
        emit c->receiveChangedByOthersSig(QJsonObject{{"e", "Scaler_Mode7/2!"}});
        emit c->receiveChangedByOthersSig(QJsonObject{{"e", "Input_HDCP2/3!"}});
        emit c->receiveWindowStatusSig(QJsonObject{{"VIR", 2}});
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
        QJsonObject report =
            json(R"({"MCU": "1.2", "FPGA": "3.4", "type": "CVN-X", "audio": "true"})");
        report.insert("device", device);
        emit MessageDistance::instance()->receiveVersionSig(report);
        QCOMPARE(int(m_store->deviceType()), type);
        QCOMPARE(AppSettings::instance()->type(), type);
        auto label = [this](const char *name) {
            return m_window->findChild<QLabel *>(name)->text();
        };
        QCOMPARE((QStringList{label("deviceKindLabel"), label("deviceMCU_label"),
                              label("deviceFPGA_label"), label("softwareLabel")}),
                 (QStringList{"CVN-X", "1.2", "3.4", "V" CORVANE_VERSION}));
        QVERIFY(m_window->hdmiAudioFollow());
        QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains("{param=resolution}"), 3000);
        QVERIFY(m_bytes.startsWith("{param=status}"));
        QTest::qWait(600);
        emit MessageDistance::instance()->receiveVersionSig(
            QJsonObject{{"device", "0809"}, {"audio", "false"}});
        QVERIFY(!m_window->hdmiAudioFollow());
        // Let this report's queries go out before the next row listens.
        QTest::qWait(600);
    }

    void changeNoticeRoutesWithoutSending()
    {
        MessageDistance *c = MessageDistance::instance();
        emit c->receiveChangedByOthersSig(QJsonObject{{"video3_change", 2}});
        QCOMPARE(shownInput("videoTableWidget", 3), 2);

        // A notice for one output of a splice group routes the whole group.
        SpliceGroups *groups = m_window->splitManager();
        QVERIFY(groups);
        groups->replaceGroups({{1, 2, 4, 5}});
        emit c->receiveChangedByOthersSig(QJsonObject{{"video2_change", 6}});
        groups->replaceGroups({});
        for (int output : {1, 2, 4, 5})
            QCOMPARE(m_store->videoRouteAt(output), 6);
        QCOMPARE(shownInput("videoTableWidget", 3), 2);
        QVERIFY(received().isEmpty());
    }

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
        QFETCH(QByteArray, sent);
        const auto flag = [this, mute](int o) {
            return mute ? m_store->videoMuteAt(o) : m_store->frozenAt(o);
        };
        for (int o : {1, 2, 3, 4}) {
            m_store->setFrozenAt(o, false);
            m_store->setVideoMuteAt(o, false);
        }
        m_window->splitManager()->replaceGroups({{1, 2, 4}});
        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
        if (mute)
            emit video->si_orderToMute(2, true);
        else
            emit video->si_orderToPause(2, true);
        m_window->splitManager()->replaceGroups({});
        // The device hears of the port only; the store and the cells follow for the group.
        QCOMPARE(received(), sent);
        QCOMPARE((QList<bool>{flag(1), flag(2), flag(3), flag(4)}),
                 (QList<bool>{true, true, false, true}));
        const TableItemWidget *cell = video->cellForOutput(4);
        QVERIFY(mute ? cell->isMuted() : cell->isFrozen());
    }

    void bindModeLaysTheTableOut()
    {
        arrange(Dev0404);
        QCOMPARE(m_store->bindMode(), 2);
        m_store->setDeviceType(Dev0809);
        emit MessageDistance::instance()->receiveBindInfoSig(QJsonObject{{"mode", 1}});
        // 5 x 2 with the empty top-right cell: outputs 1..4 above, 5..9 below.
        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
        QCOMPARE(video->columnCount(), 5);
        QVERIFY(video->itemForOutput(9));
        m_store->setBindMode(0);
    }

    void connectionTextAfterLanguageChange()
    {
        auto *label = m_window->findChild<QLabel *>("connectState");
        m_window->receiveNetWorkSuccessfulSlot();
        QVERIFY(label->text().contains(QLatin1String("   Ip:")));
        QVERIFY(label->text().endsWith(QLatin1String("  connected")));
        QCOMPARE(AppSettings::instance()->connectionState(), AppSettings::Connected);
        auto *language = m_window->findChild<QComboBox *>("languageComboBox");
        language->setCurrentIndex(0);
        language->setCurrentIndex(1);
        QCoreApplication::processEvents();
        // After a change of language the connected text is the single-spaced one.
        const QString text = label->text();
        QVERIFY(text.contains(QLatin1String("  Ip:")) && !text.contains(QLatin1String("   Ip:")));
        QVERIFY(text.endsWith(QLatin1String(" connected")));
        QVERIFY(!text.endsWith(QLatin1String("  connected")));

        AppSettings::instance()->setCurrentUser(QStringLiteral("<b>Ann</b>"));
        m_window->receivenetWorkFailSlot();
        QVERIFY(label->text().contains(QLatin1String("User:<b>Ann</b>"))); // as typed
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->text().endsWith(QLatin1String(" disconnected")));
        QCOMPARE(AppSettings::instance()->connectionState(), AppSettings::Disconnected);
        m_window->receiveConnectingSlot();
        QVERIFY(label->text().endsWith(QLatin1String(" connecting")));
    }

    void settingPagesHideTheSignalList()
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

    void bezelDialogStoresAllEight()
    {
        // Only a wall model offers it.
        const QWidget *page = m_window->findChild<QWidget *>("SettingTabWidget");
        for (DeviceType type : {Dev0409S, Dev0404}) {
            arrange(type);
            const bool wall = type == Dev0409S;
            QCOMPARE(m_window->findChild<QPushButton *>("bezelBtn")->isVisibleTo(page), wall);
            QCOMPARE(m_window->findChild<QLabel *>("lb_bezel")->isVisibleTo(page), wall);
        }
        m_store->setBezel({1, 2, 3, 4, 5, 6, 7, 8});
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
        QCOMPARE(m_store->bezel(), (BezelValues{100, 7, 3, 4, 5, 6, 7, 8}));
    }

    void outputMenuLayoutEntries_data()
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
        QTest::newRow("0808-S has no layout choice")
            << int(Dev0808S) << 1 << false << false << true;
    }

    void outputMenuLayoutEntries()
    {
        QFETCH(int, type);
        QFETCH(int, bindMode);
        QFETCH(bool, enabled);
        QFETCH(bool, threeChecked);
        QFETCH(bool, twoChecked);
        arrange(DeviceType(type));
        m_store->setBindMode(bindMode);
        QMenu *menu = openOutputMenu(1);
        QVERIFY(menu);
        QAction *three = findAction(menu, QStringLiteral("3 x 3"));
        QAction *two = findAction(menu, QStringLiteral("2 x 4"));
        QVERIFY(three && two);
        QCOMPARE((QList<bool>{three->isEnabled(), two->isEnabled()}),
                 (QList<bool>{enabled, enabled}));
        QCOMPARE((QList<bool>{three->isChecked(), two->isChecked()}),
                 (QList<bool>{threeChecked, twoChecked}));
        // The output's stored resolution is the marked one.
        QAction *resolution = findAction(menu, m_store->outputResolutionAt(1));
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

    void disabledOutputOpensNoMenu()
    {
        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
        video->setOutputEnabled(4, false);
        QVERIFY(!openOutputMenu(4));
        video->setOutputEnabled(4, true);
        QMenu *menu = openOutputMenu(4);
        QVERIFY(menu);
        menu->close();
    }

    void multiviewDropsAndLayout()
    {
        arrange(Dev0809M);
        auto *view = m_window->findChild<SingleSplitterWidget *>("wid_ss");
        auto *video = m_window->findChild<TableWidget *>("videoTableWidget");
        QVERIFY(view);
        m_bytes.clear();
        emit view->si_drop(3, 2);
        QCOMPARE(m_store->multiviewWindowAt(2), 3);
        emit view->si_drop(4, 0);
        QCOMPARE(m_store->videoRouteAt(9), 4);
        QCOMPARE(m_store->multiviewWindowAt(0), 4);
        QCOMPARE(received(), QByteArray("{param=3VIDEO902}{param=4VIDEO9}"));

        emit view->si_layout_change(2);
        QVERIFY(!video->isOutputEnabled(9));
        emit view->si_layout_change(0);
        QVERIFY(video->isOutputEnabled(9));
        // The view fills the page beside its buttons; its picture keeps the output's shape.
        auto *tabs = m_window->findChild<QTabWidget *>("tabWidget");
        tabs->setCurrentIndex(1);
        const QWidget *page = m_window->findChild<QWidget *>("JointTabWidget");
        const QWidget *buttons = m_window->findChild<QWidget *>("wid_splitterButtons");
        QTRY_VERIFY(view->isVisible() && page->width() > 600);
        QVERIFY(view->width() >= page->width() - buttons->width() - 3 * 8);
        for (const char *out9 : {"", "1280x1024x60Hz", ""}) {
            emit MessageDistance::instance()->receiveInOutChannelResolutionMapSig(
                QJsonObject{{"out9", out9}});
            const QSize size = *out9 ? QSize(1280, 1024) : QSize(1920, 1080);
            const QRectF area = view->outputArea();
            QCOMPARE(view->outputSize(), size);
            QVERIFY(qAbs(area.width() * size.height() / size.width() - area.height()) < 1);
            QVERIFY(area.width() == view->width() || area.height() == view->height());
        }
        tabs->setCurrentIndex(0);
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
        QFETCH(QString, shown);
        QFETCH(QSize, layout);
        emit MessageDistance::instance()->receiveVersionSig(
            QJsonObject{{"device", model}, {"audio", follow ? "true" : "false"}});
        QCOMPARE(m_window->findChild<QLabel *>("typeLabel")->text(), model);
        m_window->findChild<QTabWidget *>("tabWidget")->setCurrentIndex(2);
        const QWidget *page = m_window->findChild<QWidget *>("AudioWidget");
        QTRY_VERIFY(page->isVisible());
        QTest::qWait(20);
        QStringList names;
        QRect left, right; // the first and last table shown
        for (const TableWidget *table : page->findChildren<TableWidget *>()) {
            if (!table->isVisible())
                continue;
            names << table->objectName();
            const auto *caption = m_window->findChild<QLabel *>(
                names.last() == QLatin1String("AudioTable") ? "lb_analogAudio" : "lb_hdmiAudio");
            QCOMPARE(QSize(table->layoutColumns(), table->layoutRows()), layout);
            QVERIFY(caption->isVisible() && caption->x() == table->x());
            QVERIFY(caption->geometry().bottom() < table->y());
            right = table->geometry();
            left = left.isNull() ? right : left;
        }
        QCOMPARE(names.join(' '), shown);
        QVERIFY(left.size() == right.size() && left.y() == right.y() && left.x() <= right.x());
        QVERIFY(qAbs((left.left() + right.right()) / 2 - page->rect().center().x()) <= 8);
        QTest::qWait(500); // this report's queries go out before the next row listens
    }

    void iconOnlyControlsSayWhatTheyDo()
    {
        for (const QAbstractButton *b : m_window->findChildren<QAbstractButton *>()) {
            // Qt's own parts have no name, or belong to a tab bar.
            if (!b->objectName().isEmpty() && !b->parent()->inherits("QTabBar") &&
                b->text().isEmpty())
                QVERIFY2(!b->toolTip().isEmpty(), qPrintable(b->objectName()));
        }
    }
};

QTEST_MAIN(TestWidgetReports)
#include "tst_widgetreports.moc"
