#include "app/appsettings.h"
#include "app/loghandler.h"
#include "app/startup.h"
#include "mainwindow/widget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCursor>
#include <QDir>
#include <QScreen>

#include <cstdio>

namespace {

const char Usage[] =
    "Usage: corvane [--data-dir DIR]\n"
    "Controls an HDMI video matrix switcher and video-wall processor over TCP.\n"
    "\n"
    "  --data-dir DIR  keep config.ini, project.db and password.txt in DIR\n"
    "                  (default: the application directory, or $CORVANE_DATA_DIR)\n"
    "  --help          show this text\n"
    "  --version       show the version\n";

} // namespace

// The one pointer through which code without a window at hand reaches the main window.
Widget *mainWindow = nullptr;

int main(int argc, char *argv[])
{
    // Answered before any window system is touched, so they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        return 0;
    }
    if (!AppSettings::applyDataDirArgument(arguments)) {
        std::fputs("corvane: --data-dir needs a directory\n", stderr);
        std::fputs(Usage, stderr);
        return 2;
    }

    prepareApplication();
    auto *app = new QApplication(argc, argv);
    configureApplication();

    QDir().mkpath(QStringLiteral("log"));
    qInstallMessageHandler(messageHandler);

    // A database that cannot be read would lock everyone out with the wrong words; the
    // operator is told what and where instead, before any window.
    if (!StartupCheck::run()) {
        delete app;
        return 1;
    }

    auto *window = new Widget;
    mainWindow = window;
    if (!window->loginAccepted()) {
        // The login dialog was closed at start-up.
        delete window;
        delete app;
        return 0;
    }

    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }

    const int code = app->exec();
    delete window;
    mainWindow = nullptr;
    delete app;
    return code;
}
