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
    "                  (default: $CORVANE_DATA_DIR, else the program's folder when it can be\n"
    "                  written, else the per-user data folder)\n"
    "  --help          show this text\n"
    "  --version       show the version\n";

// An installed program works in its per-user folder, so its log and the device bitmaps land
// there and not in whatever folder it was started from. Other setups keep the working directory.
QString workingDirectory(const AppSettings::DataDirChoice &data)
{
    return data.source == AppSettings::DataDirSource::UserData ? data.path : QDir::currentPath();
}

void printDataFolders()
{
    const AppSettings::DataDirChoice data = AppSettings::dataDirectoryChoice();
    // By DataDirSource.
    const char *const why[] = {"--data-dir", "CORVANE_DATA_DIR", "the program's folder",
                               "per-user, the program is installed or its folder is read-only"};
    std::printf(
        "\nData folder: %s (%s)\nLog folder:  %s\n",
        qPrintable(QDir::toNativeSeparators(data.path)), why[int(data.source)],
        qPrintable(QDir::toNativeSeparators(workingDirectory(data) + QStringLiteral("/log"))));
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before any window system is touched, so they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Names the per-user folder (~/.local/share/corvane) whatever the program file is called.
    QCoreApplication::setApplicationName(QStringLiteral("corvane"));
    const bool dataDirArgumentOk = AppSettings::applyDataDirArgument(arguments);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        // The program's folder is known only to an application object; a core one needs no
        // display.
        QCoreApplication probe(argc, argv);
        std::fputs(Usage, stdout);
        printDataFolders();
        return 0;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        return 0;
    }
    if (!dataDirArgumentOk) {
        std::fputs("corvane: --data-dir needs a directory\n", stderr);
        std::fputs(Usage, stderr);
        return 2;
    }

    prepareApplication();
    auto *app = new QApplication(argc, argv);
    // Ties the windows to the installed desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvane.Corvane"));
    configureApplication();

    const QString workDir = workingDirectory(AppSettings::dataDirectoryChoice());
    if (QDir().mkpath(workDir))
        QDir::setCurrent(workDir);
    QDir().mkpath(QStringLiteral("log"));
    qInstallMessageHandler(messageHandler);

    // A database that cannot be read would lock everyone out with the wrong words; the
    // operator is told what and where instead, before any window.
    if (!StartupCheck::run()) {
        delete app;
        return 1;
    }

    auto *window = new Widget;
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
    delete app;
    return code;
}
