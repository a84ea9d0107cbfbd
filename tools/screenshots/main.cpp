// corvane-screenshots: pictures of every window in English and in Chinese, for a person to look
// at and for the README. Each main window runs against the device simulator in this process on
// 127.0.0.1; every scene has a data folder of its own whose config.ini points there.
#include "app/appsettings.h"
#include "app/logindialog.h"
#include "app/loginsettingdialog.h"
#include "app/startup.h"
#include "corvaneresources.h"
#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/volumnsettingdialog.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/planbars.h"
#include "mainwindow/routingpage.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "simserver.h"
#include "state/devicestate.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"
#include "users/permissiondialog.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

const char Usage[] = "Usage: corvane-screenshots [OUTPUT_DIR]\n"
                     "Saves a PNG of every window in English and in Chinese to OUTPUT_DIR\n"
                     "(default: the screenshots folder beside the program's bin folder).\n";

/// How a shot is taken: the window as it is, the window on a plain desktop with its shadow, or
/// the menu or modal dialog that the shot opens.
enum class Frame
{
    Window,
    Desktop,
    Popup
};

/// What the shots of one scene share: the simulator, the main window running against it, the
/// language and the data folder.
class Stage
{
public:
    std::unique_ptr<Widget> window;
    std::unique_ptr<QWidget> made; // a window a shot made itself, gone once it is saved
    std::unique_ptr<UserAccountStore> users;
    std::unique_ptr<PermissionStore> permissions;
    std::unique_ptr<MessageDistance> client;

    /// A fresh data folder and, for a model, its simulator and the main window once it has
    /// asked the device everything; an empty scene is for windows made on their own.
    bool begin(const QString &scene)
    {
        AppSettings::setDataDirectory(m_data.path());
        ProjectDatabase::resetDatabasePath();
        AppSettings *settings = AppSettings::instance();
        settings->reload();
        DeviceState::instance()->setIp(QStringLiteral("127.0.0.1"));
        if (scene.isEmpty()) {
            DeviceState::instance()->setPort(4001);
            settings->setNetWork(QStringLiteral("127.0.0.1"), 4001);
            users = std::make_unique<UserAccountStore>();
            permissions = std::make_unique<PermissionStore>();
            client = std::make_unique<MessageDistance>();
            for (const char *name : {"operator", "night shift", "guest"})
                users->addUser(QString::fromLatin1(name), QStringLiteral("pw"));
            return true;
        }
        SimOptions options;
        options.controlPort = 0;
        options.uploadPort = 0;
        QString error;
        if (!SimOptions::parseModel(scene, &options.type))
            return false;
        m_sim = std::make_unique<SimServer>(options);
        m_lastLine.start();
        QObject::connect(m_sim.get(), &SimServer::logLine, [this](const QString &line) {
            m_lines.append(line);
            m_lastLine.restart();
        });
        if (!m_sim->start(&error)) {
            std::fprintf(stderr, "simulator: %s\n", qUtf8Printable(error));
            return false;
        }
        settings->setNetWork(QStringLiteral("127.0.0.1"), m_sim->controlPort());
        settings->setUploadPort(m_sim->uploadPort());
        settings->setLanguage(1);
        settings->setType(options.type);
        UserAccountStore().setLoginModel(1);
        // Names longer than their cells: cut at their end, the port number kept.
        if (options.type == Dev0809) {
            PortNameStore names;
            names.savePortName(3,
                               QStringLiteral("Room PC With A Long Name For The Left Stage Screen"),
                               InputVideoName);
            names.savePortName(2,
                               QStringLiteral("Projector Left Of The Stage Wall Above The Choir"),
                               OutputVideoName);
        }
        window = std::make_unique<Widget>();
        window->show();
        // The last query the window sends after the device's version report.
        const QString last = options.type == Dev0409S   ? QStringLiteral("{param=Get_Rotate}")
                             : options.type == Dev0808S ? QStringLiteral("{param=outputinfo}")
                                                        : QStringLiteral("{param=bindinfo}");
        return QTest::qWaitFor([&] { return m_lines.filter(last).size() > 0; }, 10000) && settle();
    }

    ~Stage()
    {
        made.reset();
        window.reset();
        MessageDistance::instance()->closeConnections();
        QCoreApplication::removeTranslator(&m_translator);
    }

    /// 0 Chinese, 1 English, as the language box counts: chosen there the way the operator does,
    /// or for windows on their own by catalogue.
    bool setLanguage(int index)
    {
        if (window) {
            find<QComboBox>("languageComboBox")->setCurrentIndex(index);
            return true;
        }
        QCoreApplication::removeTranslator(&m_translator);
        return m_translator.load(index == 0 ? QStringLiteral(":/Chinese")
                                            : QStringLiteral(":/English")) &&
               QCoreApplication::installTranslator(&m_translator);
    }

    /// The device has heard nothing new for `ms`.
    bool quiet(int ms) const { return !m_sim || m_lastLine.elapsed() >= ms; }
    /// Lets the window send what it has to and take in the answers: nothing new reached the
    /// device for a tenth of a second from now on.
    bool settle()
    {
        QCoreApplication::processEvents();
        QElapsedTimer since;
        since.start();
        return QTest::qWaitFor([&] { return !m_sim || (since.elapsed() >= 100 && quiet(100)); },
                               5000);
    }

    /// Sends commands as another operator would; the window follows the device's reports.
    void otherOperator(const QStringList &commands)
    {
        if (!m_other) {
            m_other = std::make_unique<QTcpSocket>();
            QObject::connect(m_other.get(), &QTcpSocket::readyRead, m_other.get(),
                             [this] { m_other->readAll(); });
            m_other->connectToHost(QStringLiteral("127.0.0.1"), m_sim->controlPort());
        }
        for (const QString &command : commands)
            m_other->write(command.toUtf8());
    }

    template <typename T> T *find(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    /// The main window on page `tab`.
    QWidget *page(int tab)
    {
        find<QTabWidget>("tabWidget")->setCurrentIndex(tab);
        return window.get();
    }

    /// Keeps a window a shot made until it is saved.
    QWidget *keep(QWidget *shown)
    {
        made.reset(shown);
        return shown;
    }

private:
    QTemporaryDir m_data;
    std::unique_ptr<SimServer> m_sim;
    std::unique_ptr<QTcpSocket> m_other;
    QStringList m_lines;
    QElapsedTimer m_lastLine;
    QTranslator m_translator;
};

struct Shot
{
    QString scene; // the model the main window runs against; empty: windows on their own
    QString name;  // %1 "en" or "zh", %2 "en" or "zh_CN"; a name with neither is made once
    std::function<QWidget *(Stage &)> show; // puts the picture in place, returns what to save
    Frame frame = Frame::Window;
};

/// Saves the picture of `window` as `file`, on a plain desktop if asked. False when that fails
/// or the picture has hardly more than one colour, which means nothing was drawn.
bool save(QWidget *window, const QString &file, bool onDesktop)
{
    QImage image = window->grab().toImage();
    if (onDesktop) {
        QImage desktop(image.size() + QSize(40, 40), QImage::Format_RGB32);
        desktop.fill(QColor(0xe4, 0xe9, 0xec));
        QPainter(&desktop).drawImage(20, 20, image);
        image = desktop;
    }
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    }
    return colours.size() > 2 && image.save(file);
}

/// The wall page with four windows, laid out by another operator, once the canvas shows them.
QWidget *wall(Stage &s, const QString &vir, const QSize &size, const QStringList &windows)
{
    s.find<QTabWidget>("tabWidget")->setCurrentIndex(1);
    auto *canvas = s.find<OutputWidget0409>("widget_out_0409");
    QStringList commands{QStringLiteral("{param=VIR%1}").arg(vir)};
    for (const QString &w : windows)
        commands.append(QStringLiteral("{param=WindowOpen%1}").arg(w));
    s.otherOperator(commands);
    const int lastX = windows.last().section(QLatin1Char('/'), 3, 3).toInt();
    const bool shown = QTest::qWaitFor(
        [&] {
            return canvas->virtualSize() == size && canvas->window(4) &&
                   canvas->window(4)->currentVirtualRect().x() == lastX;
        },
        5000);
    return shown ? s.window.get() : nullptr;
}

QWidget *audioMode(Stage &s, int mode)
{
    s.find<QComboBox>("HdmiAudioComboBox")->setCurrentIndex(mode);
    return s.page(2);
}

/// Video input `input` dropped from the signal list on `output`'s cell, as the operator does.
void dropInput(Stage &s, int input, int output)
{
    auto *list = s.find<ListWidget>("listWidget");
    auto *table = s.find<TableWidget>("videoTableWidget");
    const std::unique_ptr<QMimeData> data(
        list->createDragData(list->entry(ListWidget::VideoKind, input)));
    const QPoint at = table->visualItemRect(table->itemForOutput(output)).center();
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table->viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table->viewport(), &drop);
}

/// Take mode with two routes staged; another operator has since changed the second output.
QWidget *takeMode(Stage &s)
{
    auto *routing = s.window->findChild<RoutingPage *>();
    routing->setTakeMode(true);
    dropInput(s, 3, 5);
    dropInput(s, 2, 9);
    s.otherOperator({QStringLiteral("{param=6VIDEO9}"), QStringLiteral("{param=7VIDEO9}")});
    if (!QTest::qWaitFor([routing] { return routing->staged()->staleCount() > 0; }, 5000))
        return nullptr;
    return s.page(0);
}

/// The activity log after the operator's drops and another operator's changes.
QWidget *activity(Stage &s)
{
    auto *routing = s.window->findChild<RoutingPage *>();
    routing->cancelStaged();
    routing->setTakeMode(false);
    dropInput(s, 4, 1);
    dropInput(s, 8, 6);
    s.otherOperator({QStringLiteral("{param=2VIDEO3}"), QStringLiteral("{param=Volume2/40}")});
    s.page(6); // the last tab; its table is made when first shown
    auto *rows = s.find<QTableWidget>("activityTable");
    if (!rows)
        return nullptr;
    // Written a moment after the change; the page follows while it is shown.
    return QTest::qWaitFor([rows] { return rows->rowCount() >= 4; }, 5000) ? s.window.get()
                                                                           : nullptr;
}

QWidget *multiview(Stage &s, int layout)
{
    s.find<QPushButton>(qPrintable(QStringLiteral("btn_splitter_%1").arg(layout)))->click();
    return s.page(1);
}

QWidget *splitterLayouts(Stage &s)
{
    for (int i = 1; i <= 9; ++i)
        AppSettings::instance()->setInputName(i, QStringLiteral("Input %1").arg(i));
    DeviceState::instance()->setMultiviewWindows(
        {{1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}});
    auto *page = s.keep(new QWidget);
    page->setStyleSheet(QStringLiteral("background:#ffffff"));
    auto *grid = new QGridLayout(page);
    for (int mode = 0; mode <= 6; ++mode) {
        auto *splitter = new SingleSplitterWidget(page);
        splitter->setFixedSize(320, 180);
        splitter->setSplitterMode(mode);
        splitter->refreshLabels();
        grid->addWidget(splitter, mode / 3, mode % 3);
    }
    page->show();
    if (!QTest::qWaitForWindowExposed(page))
        return nullptr;
    // One region under the pointer.
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 60), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(page->findChildren<SingleSplitterWidget *>().at(3), &move);
    return page;
}

QWidget *planButtons(Stage &s)
{
    auto *page = s.keep(new QWidget);
    page->setStyleSheet(QStringLiteral("background:#ffffff"));
    auto *grid = new QGridLayout(page);
    // Ten plan buttons above, the six splice presets below.
    QList<PlanPushButton *> buttons;
    for (int i = 0; i < 16; ++i) {
        buttons.append(new PlanPushButton(page));
        buttons.last()->setFixedSize(90, 47);
        grid->addWidget(buttons.last(), i / 10, i % 10);
    }
    PlanPushButton::applyCaptions(
        buttons.mid(0, 10), {{2, QStringLiteral("Night")}, {4, QStringLiteral("Lobby wall")}});
    buttons.at(6)->setEnabled(false);
    const QList<QList<int>> presets{
        {1}, {1, 2}, {1, 5}, {1, 2, 5, 6}, {1, 2, 3, 5, 6, 7}, {1, 2, 3, 4, 5, 6, 7, 8}};
    for (int i = 0; i < presets.size(); ++i) {
        PlanPushButton *b = buttons.at(10 + i);
        b->setCheckable(true);
        b->setChecked(i == 3);
        b->setGrid(2, 4);
        b->setPreview(i, {{1, presets.at(i)}});
        b->setGroupColors({QStringLiteral("#338c56")});
        b->setPreviewMode();
    }
    page->show();
    if (!QTest::qWaitForWindowExposed(page))
        return nullptr;
    QTest::mousePress(buttons.at(1), Qt::LeftButton); // mid-flash
    return page;
}

QWidget *userManager(Stage &s)
{
    auto *users = new Usermanagerdialog(s.permissions.get());
    s.keep(users);
    // An edit saved without a password, which the dialog refuses.
    users->findChild<QTableWidget *>(QStringLiteral("tableWidget"))->selectRow(1);
    users->on_tableWidget_cellClicked(1, 1);
    users->on_btnEdit_clicked();
    users->on_btnSave_clicked();
    return users;
}

QWidget *permissions(Stage &s)
{
    const int id = s.users->allUsers().at(1).at(0).toInt();
    s.permissions->savePermissions(id, "1/1/0/1/1/1/1/1", "1/1/1/1/0/1/1/1/1", "1/1/1/1/1/1/1/1",
                                   "1/1/1/1/1/1/1/1/0",
                                   "1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/0/1/1/1/0/1/1/1/1/0/1/1");
    return s.keep(
        new PermissionDialog(QString::number(id), QStringLiteral("operator"), s.permissions.get()));
}

QWidget *login(Stage &s, bool refused)
{
    auto *dialog = new LoginDialog(nullptr, s.client.get());
    dialog->setUserAccountStore(s.users.get());
    if (refused) {
        dialog->findChild<QLineEdit *>(QStringLiteral("passwordEdit"))
            ->setText(QStringLiteral("wrong"));
        dialog->findChild<QPushButton *>(QStringLiteral("btnLogin"))->click();
    }
    return s.keep(dialog);
}

/// A shot of the wall model's menu or modal dialog that `open` shows.
Shot popup(const char *name, const std::function<void(Stage &)> &open)
{
    return {"0409-S", name,
            [open](Stage &s) {
                open(s);
                return static_cast<QWidget *>(nullptr);
            },
            Frame::Popup};
}

/// A port dialog of a 0809 whose second output is at 65.
std::function<QWidget *(Stage &)> portDialog(const std::function<QDialog *()> &make)
{
    return [make](Stage &s) {
        DeviceState::instance()->setDeviceType(Dev0809);
        DeviceState::instance()->setVolume({{2, 65}});
        return s.keep(make());
    };
}

QList<Shot> shots()
{
    using S = Stage &;
    const QString kit;
    return {
        // Windows on their own.
        {kit, "splitter-layouts", splitterLayouts},
        {kit, "plan-buttons", planButtons},
        {kit, "dialog_caption_%1", portDialog([] { return new TitleOrOsdDialog(nullptr, -1); })},
        {kit, "dialog_osd_%1", portDialog([]() -> QDialog * {
             auto *osd = new TitleOrOsdDialog(nullptr, 3);
             osd->setWindowTitle(QStringLiteral("[Input3] ") + osd->windowTitle());
             return osd;
         })},
        {kit, "dialog_edid_%1", portDialog([] { return new EdidSettingDilog(2); })},
        {kit, "dialog_nosignal_%1", portDialog([]() -> QDialog * {
             auto *noSignal = new CDlgnosignaloutput;
             noSignal->setPort(1, 2);
             noSignal->sl_StateUpdate(QStringLiteral(R"({"Chn":1,"Mode":0,"Color":40,120,200})"));
             return noSignal;
         })},
        {kit, "dialog_scaling_%1", portDialog([]() -> QDialog * {
             auto *scaling = new CDlgScalingmode;
             scaling->setPort(1);
             return scaling;
         })},
        {kit, "dialog_graphicstest_%1", portDialog([] { return new GraphicsTestDialog(1, true); })},
        {kit, "dialog_volume_%1", portDialog([] { return new VolumnSettingDialog(2); })},
        {kit, "usermanagerdialog_%2", userManager},
        {kit, "permissiondialog_%2", permissions},
        {kit, "login_%2", [](S s) { return login(s, false); }, Frame::Desktop},
        {kit, "login_error_%2", [](S s) { return login(s, true); }, Frame::Desktop},
        {kit, "login_setting_%2",
         [](S s) {
             DeviceState::instance()->setDeviceType(Dev0409S);
             return s.keep(new LoginSettingDialog(nullptr, false));
         },
         Frame::Desktop},
        {kit, "msgdlg_%2",
         [](S s) {
             return s.keep(new MsgDlg(
                 QCoreApplication::translate("MessageDistance", "NetWork Error"),
                 QCoreApplication::translate("MessageDistance", "传输文件端口连接发生错误！")));
         },
         Frame::Desktop},
        {kit, "confirm_%2",
         [](S s) {
             return s.keep(new DialogConfirm(nullptr, QStringLiteral("Close All Windows"),
                                             QStringLiteral("Confirm to close all windows")));
         },
         Frame::Desktop},
        {kit, "rename_%2", [](S s) { return s.keep(new RenameDialog(QStringLiteral("Input 3"))); },
         Frame::Desktop},

        // The 0809's pages, one cell of the video table chosen as before a menu.
        {"0809", "mainwindow-video-%1",
         [](S s) {
             auto *video = s.find<TableWidget>("videoTableWidget");
             video->setFocus();
             video->setCurrentItem(video->itemForOutput(5));
             video->itemForOutput(5)->setSelected(true);
             return s.page(0);
         }},
        {"0809", "mainwindow-audio-%1", [](S s) { return s.page(2); }},
        {"0809", "mainwindow-setting-%1", [](S s) { return s.page(4); }},
        // The operator's tools: the output menu offering to undo a drop, take mode with a
        // stage another operator overtook, and the activity log.
        {"0809", "mainwindow-undo-%1",
         [](S s) {
             s.page(0);
             dropInput(s, 3, 5);
             auto *video = s.find<TableWidget>("videoTableWidget");
             const QPoint at = video->visualItemRect(video->itemForOutput(5)).center();
             QContextMenuEvent menu(QContextMenuEvent::Mouse, at,
                                    video->viewport()->mapToGlobal(at));
             QApplication::sendEvent(video->viewport(), &menu);
             return static_cast<QWidget *>(nullptr);
         },
         Frame::Popup},
        {"0809", "mainwindow-take-%1", takeMode},
        {"0809", "mainwindow-activity-%1", activity},
        // The protocol console after the drops and reports above, on the setting page.
        {"0809", "mainwindow-console-%1",
         [](S s) {
             auto *open = s.find<QPushButton>("btn_console");
             s.page(4);
             if (!open->isChecked())
                 open->click();
             return s.window.get();
         }},
        // A message with markup, as a wall plan recall shows it.
        {"0809", "message-markup-%1",
         [](S s) {
             auto *warning = new MsgDlg(s.window.get());
             warning->setRichText(QCoreApplication::translate("Widget", "Warning"),
                                  PlanBars::wallWarning(true, false, false));
             return s.keep(warning);
         }},
        // The pages that differ by model; the audio pages with HDMI audio on its own, then
        // following video as the device started.
        {"0809", "mainwindow-0809-audio-alone-%1", [](S s) { return audioMode(s, 1); }},
        {"0809", "mainwindow-0809-audio-follow-%1", [](S s) { return audioMode(s, 0); }},
        {"0809", "mainwindow-0809-about-%1", [](S s) { return s.page(5); }},
        {"0809-M", "mainwindow-0809-M-multiview0-%1", [](S s) { return multiview(s, 0); }},
        {"0809-M", "mainwindow-0809-M-multiview3-%1", [](S s) { return multiview(s, 3); }},
        {"0809-M", "mainwindow-0809-M-audio-alone-%1", [](S s) { return audioMode(s, 1); }},
        {"0809-M", "mainwindow-0809-M-audio-follow-%1", [](S s) { return audioMode(s, 0); }},
        {"0809-M", "mainwindow-0809-M-about-%1", [](S s) { return s.page(5); }},
        {"0808-S", "mainwindow-0808-S-audio-alone-%1", [](S s) { return audioMode(s, 1); }},
        {"0808-S", "mainwindow-0808-S-audio-follow-%1", [](S s) { return audioMode(s, 0); }},
        {"0808-S", "mainwindow-0808-S-about-%1", [](S s) { return s.page(5); }},
        {"0409-S", "mainwindow-0409-S-audio-%1", [](S s) { return s.page(2); }},
        {"0409-S", "mainwindow-0409-S-about-%1", [](S s) { return s.page(5); }},
        // The wall with four overlapping windows on a 3x3 and on a 1x9 wall, a window's menu,
        // its properties and the splicing setting.
        {"0409-S", "wall-3x3-%1",
         [](S s) {
             return wall(s, "0", QSize(5760, 3240),
                         {"1/1/1/0/0/3840/2160", "2/2/2/1920/540/2880/1620",
                          "3/3/3/3360/1620/2400/1350", "4/4/4/480/2430/1920/810"});
         }},
        popup("wall-menu-%1",
              [](S s) {
                  InputSignalWidget0409 *second =
                      s.find<OutputWidget0409>("widget_out_0409")->window(2);
                  const QPoint at = second->rect().center();
                  QContextMenuEvent menu(QContextMenuEvent::Mouse, at, second->mapToGlobal(at));
                  QApplication::sendEvent(second, &menu);
              }),
        popup("wall-property-%1",
              [](S s) { s.find<OutputWidget0409>("widget_out_0409")->showWindowProperty(2); }),
        popup("wall-splicing-%1", [](S s) { s.find<QPushButton>("btn_splicing_set")->click(); }),
        {"0409-S", "wall-1x9-%1",
         [](S s) {
             return wall(s, "1", QSize(17280, 1080),
                         {"1/1/1/0/0/5760/1080", "2/2/2/3840/0/5760/1080", "3/3/3/9600/0/3840/1080",
                          "4/4/4/12480/270/3840/810"});
         }},
    };
}

/// Runs `open`, which shows a menu or a modal dialog and returns when it closes, and saves what
/// it showed once that has been up and the device quiet for a moment.
bool savePopup(Stage &stage, const Shot &shot, const QString &file)
{
    bool saved = false;
    QElapsedTimer up;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (!shown || !shown->isVisible()) {
            up.invalidate();
            return;
        }
        if (!up.isValid())
            up.start();
        if (up.elapsed() < 100 || !stage.quiet(100))
            return;
        poll.stop();
        saved = save(shown, file, false);
        shown->close();
    });
    poll.start(20);
    shot.show(stage);
    return QTest::qWaitFor([&] { return !poll.isActive(); }, 5000) && saved;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareApplication();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvane-screenshots"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() > 1 || arguments.value(0).startsWith(QLatin1Char('-'))) {
        std::fputs(Usage, arguments.contains(QStringLiteral("--help")) ? stdout : stderr);
        return arguments.contains(QStringLiteral("--help")) ? 0 : 2;
    }
    const QDir out(arguments.value(0, QCoreApplication::applicationDirPath() +
                                          QStringLiteral("/../screenshots")));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "corvane-screenshots: cannot make %s\n", qUtf8Printable(out.path()));
        return 1;
    }
    // The windows' chatter about the device link would bury the list of pictures.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    initCorvaneResources();
    configureApplication();

    const QList<Shot> table = shots();
    QStringList scenes;
    for (const Shot &shot : table) {
        if (!scenes.contains(shot.scene))
            scenes.append(shot.scene);
    }
    QSet<QString> done;
    int failed = 0;
    for (const QString &scene : scenes) {
        Stage stage;
        const bool ready = stage.begin(scene);
        for (int language : {1, 0}) {
            const bool inLanguage = ready && stage.setLanguage(language);
            for (const Shot &shot : table) {
                QString name = shot.name;
                name.replace(QLatin1String("%1"), language ? "en" : "zh")
                    .replace(QLatin1String("%2"), language ? "en" : "zh_CN");
                if (shot.scene != scene || done.contains(name))
                    continue;
                done.insert(name);
                const QString file = out.filePath(name + QStringLiteral(".png"));
                bool saved = false;
                if (inLanguage && shot.frame == Frame::Popup) {
                    saved = savePopup(stage, shot, file);
                } else if (inLanguage) {
                    QWidget *shown = shot.show(stage);
                    if (shown) {
                        shown->show();
                        saved = QTest::qWaitForWindowExposed(shown) && stage.settle() &&
                                save(shown, file, shot.frame == Frame::Desktop);
                    }
                }
                stage.made.reset();
                std::printf("%s %s\n", saved ? "wrote" : "FAILED", qUtf8Printable(file));
                failed += saved ? 0 : 1;
            }
        }
    }
    std::printf("%d pictures in %s, %d failed\n", int(done.size()) - failed,
                qUtf8Printable(QDir::cleanPath(out.absolutePath())), failed);
    return failed ? 1 : 0;
}
