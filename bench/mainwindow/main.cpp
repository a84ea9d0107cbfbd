// Figures for the main window:
//   1. a version report arriving -> {param=status} leaving, seen from a loopback peer;
//   2. start-up to a shown window, and resident memory once connected, against a minimal
//      Qt Widgets program built the same way (this binary in another mode).
// Prints medians and ratios; never fails on speed.
#include "app/appsettings.h"
#include "app/loghandler.h"
#include "app/startup.h"
#include "mainwindow/consolemodel.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

long rssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void pump(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

/// Login-free data directory pointing at the loopback device stand-in.
void prepare(const QString &dir, quint16 port)
{
    AppSettings::setDataDirectory(dir);
    ProjectDatabase::resetDatabasePath();
    AppSettings *settings = AppSettings::instance();
    settings->reload();
    settings->setNetWork(QStringLiteral("127.0.0.1"), port);
    settings->setLanguage(1);
    UserAccountStore().setLoginModel(1);
}

/// One window built and closed, for counting its construction under
/// `valgrind --tool=callgrind --toggle-collect='Widget::Widget(QWidget*)'`.
int runConstruct()
{
    QTemporaryDir dir;
    QTcpServer device;
    if (!dir.isValid() || !device.listen(QHostAddress::LocalHost, 0))
        return 1;
    prepare(dir.path(), device.serverPort());
    {
        Widget window;
    }
    MessageDistance::instance()->closeConnections();
    return 0;
}

int runMinimal()
{
    QWidget window;
    window.resize(1280, 800);
    window.show();
    QCoreApplication::processEvents();
    std::printf("SHOWN\nRSS %ld\n", rssKiB());
    std::fflush(stdout);
    return 0;
}

int runWindow(const QString &dataDir)
{
    // The data directory was written by the parent, as by an earlier start on an operator's
    // machine; the start-up only reads it.
    AppSettings::setDataDirectory(dataDir);
    ProjectDatabase::resetDatabasePath();
    AppSettings::instance()->reload();
    QElapsedTimer phase;
    phase.start();
    Widget window;
    const qint64 built = phase.nsecsElapsed();
    QCoreApplication::processEvents();
    const qint64 painted = phase.nsecsElapsed();
    std::printf("SHOWN\n");
    std::fflush(stdout);
    if (qEnvironmentVariableIsSet("CORVANE_BENCH_PHASES"))
        std::fprintf(stderr, "construct %.1f ms, first events %.1f ms, %d widgets\n", built / 1e6,
                     (painted - built) / 1e6, int(window.findChildren<QWidget *>().size()));
    MessageDistance *client = MessageDistance::instance();
    pump([client] { return client->isConnected(); }, 5000);
    QCoreApplication::processEvents(); // the version query goes out
    std::printf("RSS %ld\n", rssKiB());
    std::fflush(stdout);
    client->closeConnections();
    return 0;
}

/// The device side of the latency rounds, on a thread of its own so that the window's painting
/// never delays the moment the peer sees the query arrive.
class LatencyPeer : public QThread
{
public:
    explicit LatencyPeer(int rounds) : m_rounds(rounds) {}
    std::atomic<int> port{0};
    std::atomic<bool> finished{false};
    QVector<double> ms;

protected:
    void run() override
    {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, 0)) {
            finished = true;
            return;
        }
        port = server.serverPort();
        if (!server.waitForNewConnection(10000)) {
            finished = true;
            return;
        }
        QTcpSocket *socket = server.nextPendingConnection();
        QByteArray bytes;
        auto waitFor = [&](const QByteArray &what) {
            QElapsedTimer limit;
            limit.start();
            while (!bytes.contains(what) && limit.elapsed() < 5000) {
                socket->waitForReadyRead(50);
                bytes += socket->readAll();
            }
            return bytes.contains(what);
        };
        waitFor("{param=version}");
        QThread::msleep(800); // the first schedule runs out
        const QByteArray report = "{\"type\":\"CVN-0809\",\"MCU\":\"1.0\",\"FPGA\":\"1.0\","
                                  "\"device\":\"0809\",\"audio\":\"false\"}";
        for (int i = 0; i < m_rounds; ++i) {
            bytes.clear();
            QElapsedTimer timer;
            timer.start();
            socket->write(report);
            socket->waitForBytesWritten(1000);
            if (!waitFor("{param=status}"))
                break;
            ms.append(timer.nsecsElapsed() / 1e6);
            QThread::msleep(250); // the window repaints after each report
        }
        finished = true;
    }

private:
    int m_rounds;
};

int runVersionToStatus(int rounds)
{
    LatencyPeer peer(rounds);
    QTemporaryDir dir;
    peer.start();
    QElapsedTimer wait;
    wait.start();
    while (peer.port == 0 && !peer.finished && wait.elapsed() < 5000)
        QThread::msleep(5);
    if (peer.port == 0 || !dir.isValid())
        return 1;
    prepare(dir.path(), quint16(peer.port.load()));
    Widget window;
    pump([&] { return peer.finished.load(); }, 120000);
    peer.wait();
    if (peer.ms.isEmpty())
        return 1;
    std::printf("version report -> {param=status}: median %.3f ms, max %.3f ms over %d rounds "
                "(target < 5 ms)\n",
                median(peer.ms), *std::max_element(peer.ms.begin(), peer.ms.end()),
                int(peer.ms.size()));
    MessageDistance::instance()->closeConnections();
    return 0;
}

/// A device that answers the version query, lets the start-up queries pass, then floods the
/// link with routing reports and change notices as fast as it takes them, or `perSecond` of
/// them in a write every millisecond.
class FloodPeer : public QThread
{
public:
    explicit FloodPeer(int seconds, int perSecond = 0) : m_seconds(seconds), m_perSecond(perSecond)
    {
    }
    std::atomic<int> port{0};
    std::atomic<bool> flooding{false};
    std::atomic<bool> finished{false};
    std::atomic<long> sent{0};

protected:
    void run() override
    {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, 0)) {
            finished = true;
            return;
        }
        port = server.serverPort();
        if (!server.waitForNewConnection(10000)) {
            finished = true;
            return;
        }
        QTcpSocket *socket = server.nextPendingConnection();
        QByteArray bytes;
        QElapsedTimer limit;
        limit.start();
        while (!bytes.contains("{param=version}") && limit.elapsed() < 5000) {
            socket->waitForReadyRead(50);
            bytes += socket->readAll();
        }
        socket->write("{\"type\":\"CVN-0809\",\"MCU\":\"1.0\",\"FPGA\":\"1.0\","
                      "\"device\":\"0809\",\"audio\":\"false\"}");
        socket->waitForBytesWritten(1000);
        QThread::msleep(1500);
        QByteArray burst;
        for (int i = 0; i < 32; ++i) {
            burst += "{";
            for (const char *layer : {"video", "audio", "IR"}) {
                for (int n = 1; n <= 9; ++n)
                    burst += '"' + QByteArray(layer) + QByteArray::number(n) +
                             "\":" + QByteArray::number((n + i) % 9 + 1) + ',';
            }
            burst.chop(1);
            burst += "}{video" + QByteArray::number(i % 9 + 1) +
                     "_change:" + QByteArray::number(i % 9 + 1) + "}";
        }
        flooding = true;
        QElapsedTimer clock;
        clock.start();
        // Paced: change notices, each write carrying what is due by now.
        QByteArray notices;
        for (int i = 0; i < 64; ++i)
            notices += "{video" + QByteArray::number(i % 9 + 1) +
                       "_change:" + QByteArray::number((i + 3) % 9 + 1) + "}";
        const int notice = notices.size() / 64;
        while (m_perSecond > 0 && clock.elapsed() < m_seconds * 1000) {
            const long due = long(clock.elapsed() * m_perSecond / 1000);
            const int count = int(std::min(64L, due - sent));
            if (count > 0) {
                socket->write(notices.constData(), qint64(count) * notice);
                socket->flush();
                sent += count;
            }
            socket->waitForBytesWritten(1);
            QThread::msleep(1);
            socket->readAll();
        }
        while (clock.elapsed() < m_seconds * 1000) {
            socket->write(burst);
            while (socket->bytesToWrite() > 0 && clock.elapsed() < m_seconds * 1000)
                socket->waitForBytesWritten(50);
            sent += 64;
            socket->readAll();
        }
        flooding = false;
        finished = true;
        socket->waitForReadyRead(200);
    }

private:
    int m_seconds;
    int m_perSecond;
};

// The window under a flood, with the real log handler writing into a scratch folder: the
// longest gap between ticks of a 5 ms timer on the GUI thread, and memory. With `console`,
// the protocol console is open on screen throughout.
int runFlood(int seconds, bool console = false)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("log"));
    qInstallMessageHandler(messageHandler);
    FloodPeer peer(seconds, console ? 10000 : 0);
    peer.start();
    QElapsedTimer wait;
    wait.start();
    while (peer.port == 0 && !peer.finished && wait.elapsed() < 5000)
        QThread::msleep(5);
    if (peer.port == 0)
        return 1;
    prepare(dir.path(), quint16(peer.port.load()));
    Widget window;
    int reports = 0;
    QObject::connect(MessageDistance::instance(), &MessageDistance::receiveVideoAudioIRMapSig,
                     &window, [&reports] { ++reports; });
    ConsoleModel *lines = window.findChild<ConsoleModel *>();
    if (console) {
        window.show();
        window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(4); // settings
        window.findChild<QPushButton *>(QStringLiteral("btn_console"))->click();
    }
    // How long the views take over one batch's removal and insertion.
    QElapsedTimer batch;
    qint64 longestBatch = 0;
    const auto started = [&batch] { batch.start(); };
    const auto ended = [&] { longestBatch = std::max(longestBatch, batch.nsecsElapsed()); };
    QObject::connect(lines, &QAbstractItemModel::rowsAboutToBeInserted, started);
    QObject::connect(lines, &QAbstractItemModel::rowsAboutToBeRemoved, started);
    QObject::connect(lines, &QAbstractItemModel::rowsInserted, ended);
    QObject::connect(lines, &QAbstractItemModel::rowsRemoved, ended);
    pump([&] { return peer.flooding.load() || peer.finished.load(); }, 10000);
    const long idle = rssKiB();
    long peak = idle;
    qint64 longest = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        peak = std::max(peak, rssKiB());
    });
    ticker.start();
    reports = 0;
    pump([&] { return peer.finished.load(); }, (seconds + 10) * 1000);
    const double elapsed = clock.nsecsElapsed() / 1e9;
    ticker.stop();
    peer.wait();
    if (console) {
        lines->flush();
        const long after = rssKiB();
        QElapsedTimer filter;
        filter.start();
        lines->setFilter(QStringLiteral("video1_change"), false);
        const double plainMs = filter.nsecsElapsed() / 1e6;
        filter.restart();
        lines->setFilter(QStringLiteral("video[0-9]_change:[3-5]"), true);
        const double regexMs = filter.nsecsElapsed() / 1e6;
        lines->setFilter(QString(), false);
        std::printf("flood of the window for %d s with the protocol console on screen: device "
                    "wrote %.0f reports/s; longest GUI-thread stall %.1f ms (target <= 16); "
                    "console lines %d (rows %d, target 20000); resident memory before %.1f MiB, "
                    "after %.1f MiB (%+.1f, target within 10), peak %.1f MiB; longest batch in "
                    "the views %.1f ms; filtering the ring: plain %.1f ms, regex %.1f ms\n",
                    seconds, peer.sent / elapsed, longest / 1e6, lines->lineCount(),
                    lines->rowCount(), idle / 1024.0, after / 1024.0, (after - idle) / 1024.0,
                    peak / 1024.0, longestBatch / 1e6, plainMs, regexMs);
        MessageDistance::instance()->closeConnections();
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return 0;
    }
    qint64 logBytes = 0;
    for (const QFileInfo &file : QDir(QStringLiteral("log")).entryInfoList(QDir::Files))
        logBytes += file.size();
    std::printf("flood of the window for %d s (routing reports and change notices, real log): "
                "device wrote %.0f reports/s, the window applied %.0f routing reports/s; longest "
                "GUI-thread stall %.1f ms (target <= 100); resident memory idle %.1f MiB, peak "
                "%.1f MiB (+%.1f, target <= 50); log written %.1f MiB\n",
                seconds, peer.sent / elapsed, reports / elapsed, longest / 1e6, idle / 1024.0,
                peak / 1024.0, (peak - idle) / 1024.0, logBytes / 1048576.0);
    MessageDistance::instance()->closeConnections();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

struct ChildFigures
{
    double startMs = 0;
    long rss = -1;
};

ChildFigures runChild(const QStringList &arguments)
{
    ChildFigures figures;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QByteArray out;
    while (child.state() != QProcess::NotRunning || child.bytesAvailable()) {
        child.waitForReadyRead(20);
        out += child.readAllStandardOutput();
        if (figures.startMs == 0 && out.contains("SHOWN"))
            figures.startMs = timer.nsecsElapsed() / 1e6;
        if (out.contains("RSS "))
            break;
    }
    child.waitForFinished(10000);
    out += child.readAllStandardOutput();
    const int at = out.indexOf("RSS ");
    if (at >= 0)
        figures.rss = out.mid(at + 4).split('\n').first().trimmed().toLong();
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--minimal") || mode == QLatin1String("--window") ||
        mode == QLatin1String("--latency") || mode == QLatin1String("--flood") ||
        mode == QLatin1String("--flood-console") || mode == QLatin1String("--construct")) {
        // The figures are for the window, not for printing its diagnostics.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        // The window starts with the program's own application set-up; the minimal program
        // stays the plain one.
        const bool minimal = mode == QLatin1String("--minimal");
        if (!minimal)
            prepareApplication();
        QApplication app(argc, argv);
        if (minimal)
            return runMinimal();
        configureApplication();
        if (mode == QLatin1String("--window"))
            return runWindow(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
        if (mode == QLatin1String("--flood"))
            return runFlood(5);
        if (mode == QLatin1String("--flood-console"))
            return runFlood(argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 60, true);
        if (mode == QLatin1String("--construct"))
            return runConstruct();
        return runVersionToStatus(60);
    }

    QCoreApplication app(argc, argv);
    const int runs = 21;
    QTemporaryDir data;
    // The device stand-in: the windows connect to it and send their first query; the kernel
    // completes the connections, they are only collected between runs.
    QTcpServer device;
    if (!data.isValid() || !device.listen(QHostAddress::LocalHost, 0))
        return 1;
    prepare(data.path(), device.serverPort());
    const auto collect = [&device] {
        while (device.waitForNewConnection(0) && device.hasPendingConnections())
            delete device.nextPendingConnection();
    };
    runChild({QStringLiteral("--window"), data.path()}); // a first start warms the file caches
    collect();
    QVector<double> minimalStart, windowStart, minimalRss, windowRss, pairRatios;
    for (int i = 0; i < runs; ++i) {
        const ChildFigures minimal = runChild({QStringLiteral("--minimal")});
        const ChildFigures window = runChild({QStringLiteral("--window"), data.path()});
        collect();
        minimalStart.append(minimal.startMs);
        windowStart.append(window.startMs);
        minimalRss.append(minimal.rss);
        windowRss.append(window.rss);
        if (minimal.startMs > 0)
            pairRatios.append(window.startMs / minimal.startMs);
    }
    const double ms0 = median(minimalStart), ms1 = median(windowStart);
    const double kb0 = median(minimalRss), kb1 = median(windowRss);
    // Each window start is compared with the minimal start just before it: this machine's
    // speed drifts over a run, and a pair sees the same conditions.
    std::printf("start-up to shown window (offscreen, login-free, median of %d): minimal %.1f ms, "
                "corvane %.1f ms, ratio %.2f, median ratio of the %d pairs %.2f (target <= 2)\n",
                runs, ms0, ms1, ms0 > 0 ? ms1 / ms0 : 0.0, int(pairRatios.size()),
                median(pairRatios));
    std::printf("resident memory: minimal %.0f KiB, corvane after connecting %.0f KiB, "
                "ratio %.2f (target <= 2)\n",
                kb0, kb1, kb0 > 0 ? kb1 / kb0 : 0.0);
    std::fflush(stdout);

    QProcess latency;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    latency.setProcessEnvironment(env);
    latency.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    latency.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--latency")});
    latency.waitForFinished(120000);
    latency.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--flood")});
    latency.waitForFinished(120000);
    return 0;
}
