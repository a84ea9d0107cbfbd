// The main window's menu entries and caption buttons open the right port dialog for the right
// port, after the right query, against a loopback peer that records what the window sends.
#include "../common/look.h"
#include "../common/modalwatcher.h"
#include "../common/windowstart.h"
#include "app/appsettings.h"
#include "commandrecorder.h"
#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/volumnsettingdialog.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "mainwindow/widgetdialogs.h"
#include "protocol/messagedistance.h"
#include "state/captioninfo.h"
#include "state/devicestate.h"
#include "uikit/renamedialog.h"
#include "users/permissionfunction.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// A dialog seen just before its modal run: "class port detail|title".
QString describe(QDialog *dialog)
{
    int port = 0;
    QString detail; // output/input, osd/caption, the no-signal kind
    if (auto *d = qobject_cast<CDlgnosignaloutput *>(dialog))
        port = d->port(), detail = QStringLiteral(" kind %1").arg(d->kind());
    else if (auto *d = qobject_cast<CDlgScalingmode *>(dialog))
        port = d->port();
    else if (auto *d = qobject_cast<GraphicsTestDialog *>(dialog))
        port = d->port(), detail = d->isOutput() ? " output" : " input";
    else if (auto *d = qobject_cast<TitleOrOsdDialog *>(dialog))
        port = d->port(), detail = d->isOsd() ? " osd" : " caption";
    else if (auto *d = qobject_cast<EdidSettingDilog *>(dialog))
        port = d->inputPort();
    else if (auto *d = qobject_cast<VolumnSettingDialog *>(dialog))
        port = d->port();
    return QStringLiteral("%1 %2%3|%4")
        .arg(QLatin1String(dialog->metaObject()->className()))
        .arg(port)
        .arg(detail, dialog->windowTitle());
}

// Menu texts are shown translated.
QString menuText(const QString &key)
{
    return QCoreApplication::translate("WidgetMenus", key.toUtf8().constData());
}

} // namespace

class TestWidgetDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    CommandRecorder m_peer;
    std::unique_ptr<Widget> m_window;
    QPointer<QMenu> m_menu;

    void startWindow(const QString &user)
    {
        m_window.reset();
        prepareLoginFreeStart(m_dir.path(), m_peer.serverPort());
        AppSettings::instance()->setUserName(user);
        AppSettings::instance()->setType(1);
        m_peer.bytes.clear();
        m_window = std::make_unique<Widget>();
        QVERIFY(m_window->dialogs());
        QTRY_VERIFY_WITH_TIMEOUT(m_peer.bytes.contains("{param=version}"), 5000);
    }

    /// Opens the menu of an output ("output", or a table's name) or input ("video", "audio") and
    /// keeps it in m_menu.
    QMenu *openMenu(const QString &menu, int port)
    {
        if (m_menu)
            m_menu->close();
        // The audio inputs are listed on the audio page.
        if (menu == QLatin1String("audio"))
            m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(2);
        // "output" is the video table's menu; a table's name opens that table's.
        m_menu = menuOpenedBy(m_window.get(), [&] {
            if (auto *table = m_window->findChild<TableWidget *>(
                    menu == QLatin1String("output") ? QStringLiteral("videoTableWidget") : menu)) {
                if (QTableWidgetItem *item = table->itemForOutput(port))
                    emit table->customContextMenuRequested(table->visualItemRect(item).center());
                return;
            }
            auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
            const int kind =
                menu == QLatin1String("video") ? ListWidget::VideoKind : ListWidget::AudioKind;
            if (QListWidgetItem *item = list->entry(kind, port)) {
                list->scrollToItem(item);
                emit list->customContextMenuRequested(list->visualItemRect(item).center());
            }
        });
        return m_menu;
    }

    /// Runs `trigger` and records the dialog it opens; `whileOpen` runs just before the modal
    /// run starts, which ends at once.
    QString openAndClose(const std::function<void()> &trigger,
                         const std::function<void(QDialog *)> &whileOpen = {})
    {
        QString opened;
        QMetaObject::Connection c =
            connect(m_window->dialogs(), &WidgetDialogs::dialogAboutToRun, this, [&](QDialog *d) {
                opened = describe(d);
                if (whileOpen)
                    whileOpen(d);
                QTimer::singleShot(0, d, &QDialog::reject);
            });
        trigger();
        disconnect(c);
        return opened;
    }

    QAction *menuEntry(const QString &menu, int port, const QString &entry)
    {
        return openMenu(menu, port) ? findAction(m_menu, menuText(entry)) : nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.isListening());
        // The upload dialogs open their link to the peer's address, never to a device.
        MessageDistance::instance()->setUploadPort(m_peer.serverPort());
        startWindow(QStringLiteral("ADMIN"));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        MessageDistance::instance()->closeConnections();
    }

    void init()
    {
        DeviceState::instance()->setDeviceType(Dev0809);
        m_window->arrangeForDeviceType();
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
        (void)m_peer.take();
    }

    void menuEntryOpensDialog_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("opened");  // without a title, not checked
        QTest::addColumn<QString>("command"); // empty: nothing is sent
        auto row = [](const char *name, const char *menu, int port, const char *entry,
                      const char *opened, const char *command) {
            QTest::newRow(name) << QString(menu) << port << QString(entry) << QString(opened)
                                << QString(command);
        };
        row("no-signal output of output 4", "output", 4, "无信号输出",
            "CDlgnosignaloutput 4 kind 2|", "{param=Get_Noinput4}");
        row("scaling of output 9 (last)", "output", 9, "缩放模式", "CDlgScalingmode 9|",
            "{param=Get_Scaler9}");
        row("output test pattern", "output", 1, "Graphics Test",
            "GraphicsTestDialog 1 output|Output Graphics Test", "");
        row("input test pattern", "video", 3, "GraphicsTest",
            "GraphicsTestDialog 3 input|Input Graphics Test", "");
        row("OSD of input 5", "video", 5, "OSD Setting",
            "TitleOrOsdDialog 5 osd|[Input5]OSD Setting", "{param=Get_OSD5}");
        row("EDID of input 8 (last)", "video", 8, "Edid", "EdidSettingDilog 8|", "");
        row("volume of audio input 6", "audio", 6, "Volume Setting", "VolumnSettingDialog 6|",
            "{param=Get_Volume}");
        // A caption button stands in for the menu; the wall page's is shown for a wall device.
        row("caption, setting page", "CaptionBtn", -1, "",
            "TitleOrOsdDialog -1 caption|Caption Setting", "{param=Get_Subtitle}");
        row("caption, wall page", "btn_caption_0409", -1, "",
            "TitleOrOsdDialog -1 caption|Caption Setting", "{param=Get_Subtitle}");
    }

    void menuEntryOpensDialog()
    {
        QFETCH(QString, menu);
        QFETCH(int, port);
        QFETCH(QString, entry);
        QFETCH(QString, opened);
        QFETCH(QString, command);
        std::function<void()> trigger;
        if (entry.isEmpty()) {
            if (menu.endsWith(QLatin1String("0409"))) {
                DeviceState::instance()->setDeviceType(Dev0409S);
                m_window->arrangeForDeviceType();
            }
            auto *button = m_window->findChild<QPushButton *>(menu);
            QVERIFY(button && button->isEnabled());
            trigger = [button] { button->click(); };
        } else {
            QAction *action = menuEntry(menu, port, entry);
            QVERIFY(action); // the menus' entries are in their looks
            QVERIFY(action->isEnabled());
            trigger = [action] { action->trigger(); };
        }
        const QString seen = openAndClose(trigger);
        QVERIFY2(seen.startsWith(opened), qPrintable(seen));
        // The query goes out before the dialog can show an answer; nothing else is sent.
        QCOMPARE(m_peer.take(), command.toUtf8());
    }

    // Each menu's entries, their order, sub-menus and states, in each kind of page.
    void menuEntriesByKind_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("page");
        QTest::newRow("output") << QString("output") << 0;
        QTest::newRow("video input") << QString("video") << 0;
        QTest::newRow("audio input") << QString("audio") << 2;
        QTest::newRow("audio output") << QString("AudioTable") << 2;
        QTest::newRow("infrared page renames only") << QString("video") << 3;
        QTest::newRow("infrared output") << QString("InfaredTable") << 3;
    }

    void menuEntriesByKind()
    {
        QFETCH(QString, menu);
        QFETCH(int, page);
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(page);
        QVERIFY(openMenu(menu, 2));
        QVERIFY_LOOK(QStringLiteral("menu-%1.txt").arg(QTest::currentDataTag()), m_menu);
    }

    // The routing menus' own entries: what each sends, and the names it keeps and shows.
    void menuEntriesAct_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("name"); // a rename's new name
        auto row = [](const char *menu, int page, int port, const char *entry, const char *command,
                      const char *name = "") {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(menu).arg(port).arg(entry)))
                << QString(menu) << page << port << QString(entry) << QByteArray(command)
                << QString(name);
        };
        row("output", 0, 4, "1920x1080x60Hz", "{param=Port4/1920x1080x60Hz!}");
        row("AudioTable", 2, 3, "模拟音频", "{param=Analog_sel3/1}");
        row("AudioTable", 2, 8, "数字音频", "{param=Analog_sel8/0}");
        row("AudioTable", 2, 2, "清除", "{param=0AUDIO2}");
        row("InfaredTable", 3, 6, "清除", "{param=0IR6}");
        row("output", 0, 5, "Rename(F2)", "", "Stage");
        row("InfaredTable", 3, 7, "Rename(F2)", "", "Desk");
        row("audioHDMITable", 2, 103, "Rename(F2)", "", "Booth"); // named as output 3
        row("audioHDMITable", 2, 104, "清除", "{param=0AUDIO104}");
        row("video", 0, 2, "Rename(F2)", "", "Cam");
        row("audio", 2, 4, "Rename(F2)", "", "Mic");
    }

    void menuEntriesAct()
    {
        QFETCH(QString, menu);
        QFETCH(int, page);
        QFETCH(int, port);
        QFETCH(QString, entry);
        QFETCH(QByteArray, command);
        QFETCH(QString, name);
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(page);
        QAction *action = menuEntry(menu, port, entry);
        QVERIFY(action); // the menus' entries are in their looks
        ModalWatcher rename([name](QDialog *d) {
            d->findChild<QLineEdit *>()->setText(name);
            static_cast<RenameDialog *>(d)->on_btnOk_clicked();
        });
        action->trigger();
        QCOMPARE(m_peer.take(), command);
        const AppSettings *kept = AppSettings::instance();
        if (!name.isEmpty()) { // kept for the next start, and shown in the list and the tables
            QCOMPARE(menu == "video"   ? kept->inputName(port)
                     : menu == "audio" ? kept->audioName(port)
                                       : kept->outputName(port % 100), // 101 is output 1
                     name);
            QVERIFY_LOOK("renamed-" + name + ".txt", m_window->findChild<QWidget *>("bodyWidget"));
        }
        if (command.startsWith("{param=Port"))
            QCOMPARE(DeviceState::instance()->outputResolutionAt(port), entry);
    }

    // What the store knows of an input's OSD is shown at once, and not sent back.
    void osdDialogPresetFromStore()
    {
        CaptionInfo info;
        info.speed = 9;
        info.positionX = 120;
        info.moveDir = QStringLiteral("right");
        DeviceState::instance()->setOsdInfoAt(6, info);
        QAction *action = menuEntry(QStringLiteral("video"), 6, QStringLiteral("OSD Setting"));
        QVERIFY(action);
        QStringList shown;
        openAndClose([action] { action->trigger(); }, [&shown](QDialog *d) { shown = lookOf(d); });
        QVERIFY(looksAsKept("osd-preset.txt", shown)); // speed 9, 120 across, moving right
        QCOMPARE(m_peer.take(), QByteArray("{param=Get_OSD6}"));
    }

    // An open dialog takes the forwarded report of its own port only; once it is gone, a
    // later report reaches nobody.
    void dialogsFollowForwardedReports()
    {
        DeviceState *store = DeviceState::instance();
        store->setScalingModeAt(3, 0);
        auto report = [this](const char *json) {
            emit MessageDistance::instance()->si_ForwardAnalysis(json);
        };
        QStringList shown;
        auto whileOpen = [&](QDialog *d) {
            if (auto *scaling = qobject_cast<CDlgScalingmode *>(d)) {
                shown << QString::number(scaling->selectedMode());
                report(R"({"Chn":4,"Scaler_Mode":3})");
                report(R"({"Chn":3,"Scaler_Mode":2})");
                shown << QString::number(scaling->selectedMode());
            } else {
                report(R"({"Chn":7,"Mode":0,"Color":12,34,56})");
                shown << static_cast<CDlgnosignaloutput *>(d)->color().name();
            }
        };
        openAndClose([this] { m_window->dialogs()->openScalingMode(3); }, whileOpen);
        openAndClose([this] { m_window->dialogs()->openNoSignalOutput(7, 2); }, whileOpen);
        QCOMPARE(shown, (QStringList{"0", "2", "#0c2238"}));
        report(R"({"Chn":3,"Scaler_Mode":0})");
        QCOMPARE(store->scalingModeAt(3), 2);
        QCOMPARE(m_peer.take(), QByteArray("{param=Get_Scaler3}{param=Get_Noinput7}"));
    }

    // Replaces the administrator's window by a restricted user's; keep it last.
    void rightsDisableEntries_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("port");
        // The user may not use output 5, video input 3 or audio input 2, nor the scaling mode,
        // the input test pattern, EDID or the caption. Audio inputs are checked against the
        // audio rights, not the video ones.
        for (const char *menu : {"output", "video", "audio"}) {
            for (int port : {1, 2, 3, 5})
                QTest::addRow("%s %d", menu, port) << QString(menu) << port;
        }
    }

    void rightsDisableEntries()
    {
        if (AppSettings::instance()->currentUserType() == 0) {
            QVERIFY(restrictOperator({2}, {4},
                                     {ScalingModeFunction, SignalGraphicsTestFunction,
                                      SignalEdidFunction, CaptionFunction},
                                     {1}));
            startWindow(QStringLiteral("operator"));
            QCOMPARE(AppSettings::instance()->currentUserType(), 1);
            init();
            // The caption buttons follow the caption right.
            for (const char *name : {"CaptionBtn", "btn_caption_0409"})
                QVERIFY(!m_window->findChild<QPushButton *>(name)->isEnabled());
        }

        QFETCH(QString, menu);
        QFETCH(int, port);
        QVERIFY(openMenu(menu, port));
        QVERIFY_LOOK(QStringLiteral("menu-operator-%1.txt").arg(QTest::currentDataTag()), m_menu);
    }
};

QTEST_MAIN(TestWidgetDialogs)
#include "tst_widgetdialogs.moc"
