// The main window's menu entries and caption buttons open the right port dialog for the right
// port, after the right query, against a loopback peer that records what the window sends.
#include "app/appsettings.h"
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
#include "mainwindow/widgetmenus.h"
#include "protocol/messagedistance.h"
#include "state/captioninfo.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "users/permissionfunction.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// What a dialog was, seen just before its modal run.
struct Opened
{
    QString className;
    int port = 0;
    QString detail; // output/input, the no-signal kind
    QString title;
};

Opened describe(QDialog *dialog)
{
    Opened o;
    o.className = QString::fromLatin1(dialog->metaObject()->className());
    o.title = dialog->windowTitle();
    if (auto *d = qobject_cast<CDlgnosignaloutput *>(dialog)) {
        o.port = d->port();
        o.detail = QStringLiteral("kind %1").arg(d->kind());
    } else if (auto *d = qobject_cast<CDlgScalingmode *>(dialog)) {
        o.port = d->port();
    } else if (auto *d = qobject_cast<GraphicsTestDialog *>(dialog)) {
        o.port = d->port();
        o.detail = d->isOutput() ? QStringLiteral("output") : QStringLiteral("input");
    } else if (auto *d = qobject_cast<TitleOrOsdDialog *>(dialog)) {
        o.port = d->port();
        o.detail = d->isOsd() ? QStringLiteral("osd") : QStringLiteral("caption");
    } else if (auto *d = qobject_cast<EdidSettingDilog *>(dialog)) {
        o.port = d->inputPort();
    } else if (auto *d = qobject_cast<VolumnSettingDialog *>(dialog)) {
        o.port = d->port();
    }
    return o;
}

QAction *findAction(QMenu *menu, const QString &text)
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

QStringList entryTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    return texts;
}

// Menu texts are shown translated.
QString menuText(const char *key)
{
    return QCoreApplication::translate("WidgetMenus", key);
}

} // namespace

class TestWidgetDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void menuEntryOpensDialog_data();
    void menuEntryOpensDialog();
    void inputMenuEntriesByKind_data();
    void inputMenuEntriesByKind();
    void outputMenuOrder();
    void osdDialogPresetFromStore();
    void captionButtonsOpenCaptionDialog_data();
    void captionButtonsOpenCaptionDialog();
    void scalingDialogFollowsForwardedReport();
    void noSignalDialogFollowsForwardedReport();
    // Replaces the administrator's window by a restricted user's; keep it last.
    void rightsDisableEntries_data();
    void rightsDisableEntries();

private:
    void startWindow(const QString &user);
    QMenu *openMenu(const QString &menu, int port);
    /// Runs `trigger` and records the dialog it opens. The dialog is closed at once, or by
    /// `whileOpen`, which runs just before the modal run starts.
    Opened openAndClose(const std::function<void()> &trigger,
                        const std::function<void(QDialog *)> &whileOpen = {});
    /// Commands the peer received since the last call (or init()), in order.
    QStringList sentCommands();

    std::unique_ptr<QTemporaryDir> m_dir;
    QTcpServer m_server;
    QByteArray m_bytes;
    std::unique_ptr<Widget> m_window;
};

void TestWidgetDialogs::initTestCase()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *peer = m_server.nextPendingConnection())
            connect(peer, &QTcpSocket::readyRead, this,
                    [this, peer] { m_bytes += peer->readAll(); });
    });
    AppSettings::setDataDirectory(m_dir->path());
    ProjectDatabase::resetDatabasePath();
    // The upload dialogs open their link to the peer's address, never to a device.
    MessageDistance::instance()->setUploadPort(m_server.serverPort());
    startWindow(QStringLiteral("ADMIN"));
}

void TestWidgetDialogs::startWindow(const QString &user)
{
    m_window.reset();
    AppSettings *settings = AppSettings::instance();
    settings->reload();
    settings->setNetWork(QStringLiteral("127.0.0.1"), m_server.serverPort());
    settings->setUserName(user);
    settings->setLanguage(1);
    settings->setType(1);
    UserAccountStore().setLoginModel(1);
    m_bytes.clear();
    m_window = std::make_unique<Widget>();
    QVERIFY(m_window->dialogs());
    QTRY_VERIFY_WITH_TIMEOUT(m_bytes.contains("{param=version}"), 5000);
}

void TestWidgetDialogs::cleanupTestCase()
{
    m_window.reset();
    MessageDistance::instance()->closeConnections();
}

void TestWidgetDialogs::init()
{
    DeviceState::instance()->setDeviceType(Dev0809);
    m_window->arrangeForDeviceType();
    m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
    (void)sentCommands();
}

QStringList TestWidgetDialogs::sentCommands()
{
    // A marker sent now arrives after everything sent before it.
    MessageDistance::instance()->sendCommand(QStringLiteral("{param=fence}"));
    (void)QTest::qWaitFor([this] { return m_bytes.contains("{param=fence}"); }, 5000);
    QStringList out;
    const QList<QByteArray> parts = m_bytes.split('}');
    for (const QByteArray &part : parts) {
        if (!part.trimmed().isEmpty())
            out << QString::fromUtf8(part.trimmed()) + QLatin1Char('}');
    }
    out.removeAll(QStringLiteral("{param=fence}"));
    // Each call sees only what came after the previous one's marker.
    m_bytes.clear();
    return out;
}

QMenu *TestWidgetDialogs::openMenu(const QString &menu, int port)
{
    auto *menus = m_window->findChild<WidgetMenus *>();
    QMenu *opened = nullptr;
    QMetaObject::Connection c =
        connect(menus, &WidgetMenus::menuAboutToRun, this, [&opened](QMenu *m) { opened = m; });
    if (menu == QLatin1String("output")) {
        auto *video = m_window->findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
        QTableWidgetItem *item = video->itemForOutput(port);
        if (item)
            emit video->customContextMenuRequested(video->visualItemRect(item).center());
    } else {
        auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
        const int kind =
            menu == QLatin1String("video") ? ListWidget::VideoKind : ListWidget::AudioKind;
        if (QListWidgetItem *item = list->entry(kind, port)) {
            list->scrollToItem(item);
            emit list->customContextMenuRequested(list->visualItemRect(item).center());
        }
    }
    disconnect(c);
    return opened;
}

Opened TestWidgetDialogs::openAndClose(const std::function<void()> &trigger,
                                       const std::function<void(QDialog *)> &whileOpen)
{
    Opened opened;
    QMetaObject::Connection c =
        connect(m_window->dialogs(), &WidgetDialogs::dialogAboutToRun, this, [&](QDialog *d) {
            opened = describe(d);
            if (whileOpen)
                whileOpen(d);
            // Whatever happens, the modal run ends.
            QTimer::singleShot(whileOpen ? 10000 : 0, d, &QDialog::reject);
        });
    trigger();
    disconnect(c);
    return opened;
}

void TestWidgetDialogs::menuEntryOpensDialog_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("commands");

    const QString any;
    QTest::newRow("no-signal output of output 4")
        << "output" << 4 << "无信号输出"
        << "CDlgnosignaloutput"
        << "kind 2" << any << QStringList{"{param=Get_Noinput4}"};
    QTest::newRow("scaling of output 9 (last)")
        << "output" << 9 << "缩放模式"
        << "CDlgScalingmode" << any << any << QStringList{"{param=Get_Scaler9}"};
    QTest::newRow("output test pattern") << "output" << 1 << "Graphics Test"
                                         << "GraphicsTestDialog"
                                         << "output"
                                         << "Output Graphics Test" << QStringList{};
    QTest::newRow("input test pattern") << "video" << 3 << "GraphicsTest"
                                        << "GraphicsTestDialog"
                                        << "input"
                                        << "Input Graphics Test" << QStringList{};
    QTest::newRow("OSD of input 5") << "video" << 5 << "OSD Setting"
                                    << "TitleOrOsdDialog"
                                    << "osd"
                                    << "[Input5]OSD Setting" << QStringList{"{param=Get_OSD5}"};
    QTest::newRow("EDID of input 8 (last)") << "video" << 8 << "Edid"
                                            << "EdidSettingDilog" << any << any << QStringList{};
    QTest::newRow("volume of video input 2")
        << "video" << 2 << "Volume Setting"
        << "VolumnSettingDialog" << any << any << QStringList{"{param=Get_Volume}"};
    QTest::newRow("volume of audio input 6")
        << "audio" << 6 << "Volume Setting"
        << "VolumnSettingDialog" << any << any << QStringList{"{param=Get_Volume}"};
}

void TestWidgetDialogs::menuEntryOpensDialog()
{
    QFETCH(QString, menu);
    QFETCH(int, port);
    QFETCH(QString, entry);
    QFETCH(QString, dialog);
    QFETCH(QString, detail);
    QFETCH(QString, title);
    QFETCH(QStringList, commands);

    if (menu == QLatin1String("audio"))
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(2);
    QPointer<QMenu> opened = openMenu(menu, port);
    QVERIFY(opened);
    QAction *action = findAction(opened, menuText(entry.toUtf8().constData()));
    QVERIFY2(action, qPrintable(entryTexts(opened).join(QLatin1String(", "))));
    QVERIFY(action->isEnabled());

    const Opened seen = openAndClose([action] { action->trigger(); });
    if (opened)
        opened->close();
    QCOMPARE(seen.className, dialog);
    QCOMPARE(seen.port, port);
    if (!detail.isEmpty())
        QCOMPARE(seen.detail, detail);
    if (!title.isEmpty())
        QCOMPARE(seen.title, title);
    // The query goes out before the dialog can show an answer; nothing else is sent.
    QCOMPARE(sentCommands(), commands);
}

void TestWidgetDialogs::inputMenuEntriesByKind_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("entries");
    const QStringList video{"Rename(F2)",     "GraphicsTest", "OSD Setting", "Edid",
                            "Volume Setting", "Resolution",   "HDCP Setting"};
    QTest::newRow("video input") << "video" << 0 << video;
    QTest::newRow("audio input") << "audio" << 2 << QStringList{"Rename(F2)", "Volume Setting"};
    QTest::newRow("infrared page renames only") << "video" << 3 << QStringList{"Rename(F2)"};
}

void TestWidgetDialogs::inputMenuEntriesByKind()
{
    QFETCH(QString, menu);
    QFETCH(int, page);
    QFETCH(QStringList, entries);
    m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(page);
    QPointer<QMenu> opened = openMenu(menu, 1);
    QVERIFY(opened);
    QStringList expected;
    for (const QString &e : entries)
        expected << menuText(e.toUtf8().constData());
    QCOMPARE(entryTexts(opened), expected);
    if (opened)
        opened->close();
}

void TestWidgetDialogs::outputMenuOrder()
{
    QPointer<QMenu> opened = openMenu(QStringLiteral("output"), 2);
    QVERIFY(opened);
    QStringList texts = entryTexts(opened);
    // The splice entry comes first when a splice manager exists.
    if (!texts.isEmpty() && texts.first() != menuText("Rename(F2)"))
        texts.removeFirst();
    const QStringList expected{menuText("Rename(F2)"),      menuText("Resolution"),
                               menuText("无信号输出"),      menuText("缩放模式"),
                               menuText("Graphics Test"),   menuText("清除"),
                               menuText("No Signal Input"), menuText("Switch Layout")};
    QCOMPARE(texts, expected);
    if (opened)
        opened->close();
}

void TestWidgetDialogs::osdDialogPresetFromStore()
{
    CaptionInfo info;
    info.switchOn = true;
    info.speed = 9;
    info.positionX = 120;
    info.moveDir = QStringLiteral("right");
    DeviceState::instance()->setOsdInfoAt(6, info);

    for (int input : {6, 7}) {
        QPointer<QMenu> opened = openMenu(QStringLiteral("video"), input);
        QVERIFY(opened);
        QAction *action = findAction(opened, menuText("OSD Setting"));
        QVERIFY(action);
        int speed = -1;
        QString x;
        bool right = false;
        const Opened seen = openAndClose(
            [action] { action->trigger(); },
            [&](QDialog *d) {
                speed = d->findChild<QSlider *>(QStringLiteral("speedSplider"))->value();
                x = d->findChild<QLineEdit *>(QStringLiteral("PosXEdit"))->text();
                right = d->findChild<QPushButton *>(QStringLiteral("RightBtn"))->isChecked();
                QTimer::singleShot(0, d, &QDialog::reject);
            });
        if (opened)
            opened->close();
        QCOMPARE(seen.port, input);
        if (input == 6) {
            QCOMPARE(speed, 9);
            QCOMPARE(x, QStringLiteral("120"));
            QVERIFY(right);
        } else {
            // Nothing known about input 7: the dialog waits for the device's answer.
            QVERIFY(speed != 9);
            QVERIFY(!right);
        }
    }
    // Showing what the store knows sends nothing back to the device.
    QCOMPARE(sentCommands(), (QStringList{"{param=Get_OSD6}", "{param=Get_OSD7}"}));
}

void TestWidgetDialogs::captionButtonsOpenCaptionDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("type");
    QTest::newRow("setting page") << "CaptionBtn" << int(Dev0809);
    QTest::newRow("wall page") << "btn_caption_0409" << int(Dev0409S);
}

void TestWidgetDialogs::captionButtonsOpenCaptionDialog()
{
    QFETCH(QString, button);
    QFETCH(int, type);
    DeviceState::instance()->setDeviceType(DeviceType(type));
    m_window->arrangeForDeviceType();
    auto *btn = m_window->findChild<QPushButton *>(button);
    QVERIFY(btn && btn->isEnabled());
    const Opened seen = openAndClose([btn] { btn->click(); });
    QCOMPARE(seen.className, QStringLiteral("TitleOrOsdDialog"));
    QCOMPARE(seen.port, -1);
    QCOMPARE(seen.detail, QStringLiteral("caption"));
    QCOMPARE(seen.title, QStringLiteral("Caption Setting"));
    QCOMPARE(sentCommands(), QStringList{"{param=Get_Subtitle}"});
}

void TestWidgetDialogs::scalingDialogFollowsForwardedReport()
{
    DeviceState::instance()->setScalingModeAt(3, 0);
    int before = -2;
    int after = -2;
    const Opened seen = openAndClose(
        [this] { m_window->sl_Scalingmode(3); },
        [&](QDialog *d) {
            auto *dialog = static_cast<CDlgScalingmode *>(d);
            before = dialog->selectedMode();
            // Another output's report first: it must not count.
            emit m_window->si_ForwardAnalysis(QStringLiteral("{\"Chn\":4,\"Scaler_Mode\":3}"));
            emit m_window->si_ForwardAnalysis(QStringLiteral("{\"Chn\":3,\"Scaler_Mode\":2}"));
            after = dialog->selectedMode();
            QTimer::singleShot(0, d, &QDialog::reject);
        });
    QCOMPARE(seen.port, 3);
    QCOMPARE(before, 0);
    QCOMPARE(after, 2);
    QCOMPARE(DeviceState::instance()->scalingModeAt(3), 2);
    // The dialog is gone: a later report reaches nobody and changes nothing.
    emit m_window->si_ForwardAnalysis(QStringLiteral("{\"Chn\":3,\"Scaler_Mode\":0}"));
    QCOMPARE(DeviceState::instance()->scalingModeAt(3), 2);
}

void TestWidgetDialogs::noSignalDialogFollowsForwardedReport()
{
    QColor shown;
    const Opened seen = openAndClose([this] { m_window->sl_NoSignalOut(7, 2); },
                                     [&](QDialog *d) {
                                         emit m_window->si_ForwardAnalysis(QStringLiteral(
                                             "{\"Chn\":7,\"Mode\":0,\"Color\":12,34,56}"));
                                         shown = static_cast<CDlgnosignaloutput *>(d)->color();
                                         QTimer::singleShot(0, d, &QDialog::reject);
                                     });
    QCOMPARE(seen.port, 7);
    QCOMPARE(shown, QColor(12, 34, 56));
    QCOMPARE(sentCommands(), QStringList{"{param=Get_Noinput7}"});
}

void TestWidgetDialogs::rightsDisableEntries_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("enabled");
    // The user may not use output 5, video input 3 or audio input 2, nor the scaling mode,
    // the input test pattern, EDID or the caption.
    QTest::newRow("no-signal allowed") << "output" << 1 << "无信号输出" << true;
    QTest::newRow("no-signal, output refused") << "output" << 5 << "无信号输出" << false;
    QTest::newRow("scaling, function refused") << "output" << 1 << "缩放模式" << false;
    QTest::newRow("output pattern allowed") << "output" << 1 << "Graphics Test" << true;
    QTest::newRow("output pattern, output refused") << "output" << 5 << "Graphics Test" << false;
    QTest::newRow("OSD allowed") << "video" << 1 << "OSD Setting" << true;
    QTest::newRow("OSD, input refused") << "video" << 3 << "OSD Setting" << false;
    QTest::newRow("input pattern, function refused") << "video" << 1 << "GraphicsTest" << false;
    QTest::newRow("EDID, function refused") << "video" << 1 << "Edid" << false;
    QTest::newRow("video volume allowed") << "video" << 2 << "Volume Setting" << true;
    QTest::newRow("video volume, input refused") << "video" << 3 << "Volume Setting" << false;
    // Audio inputs are checked against the audio rights, not the video ones.
    QTest::newRow("audio volume 3 allowed") << "audio" << 3 << "Volume Setting" << true;
    QTest::newRow("audio volume 2 refused") << "audio" << 2 << "Volume Setting" << false;
}

void TestWidgetDialogs::rightsDisableEntries()
{
    if (!m_window || AppSettings::instance()->currentUserType() == 0) {
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
        auto allowAllBut = [](int count, QList<int> refused, int first) {
            QList<bool> list;
            for (int i = 0; i < count; ++i)
                list << !refused.contains(i + first);
            return PermissionList::join(list);
        };
        QVERIFY(permissions.savePermissions(
            id, allowAllBut(PermissionList::InputCount, {3}, 1),
            allowAllBut(PermissionList::OutputCount, {5}, 1),
            allowAllBut(PermissionList::AudioCount, {2}, 1),
            allowAllBut(PermissionList::AnalogCount, {}, 1),
            allowAllBut(PermissionList::FunctionCount,
                        {ScalingModeFunction, SignalGraphicsTestFunction, SignalEdidFunction,
                         CaptionFunction},
                        0)));
        startWindow(QStringLiteral("operator"));
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
        init();
        // The caption buttons follow the caption right.
        QVERIFY(!m_window->findChild<QPushButton *>(QStringLiteral("CaptionBtn"))->isEnabled());
        QVERIFY(
            !m_window->findChild<QPushButton *>(QStringLiteral("btn_caption_0409"))->isEnabled());
    }

    QFETCH(QString, menu);
    QFETCH(int, port);
    QFETCH(QString, entry);
    QFETCH(bool, enabled);
    if (menu == QLatin1String("audio"))
        m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(2);
    QPointer<QMenu> opened = openMenu(menu, port);
    QVERIFY(opened);
    QAction *action = findAction(opened, menuText(entry.toUtf8().constData()));
    QVERIFY(action);
    QCOMPARE(action->isEnabled(), enabled);
    if (opened)
        opened->close();
}

QTEST_MAIN(TestWidgetDialogs)
#include "tst_widgetdialogs.moc"
