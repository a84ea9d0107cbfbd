// Reply-path benchmark: bursts of reports handed to the client until the last one reaches a
// receiver on this (the GUI) thread, against bare QJsonDocument::fromJson on the same reports;
// a long stream of noise before a report; the CPU an idle, connected client uses.
// Prints a table and, last, one SUMMARY line. Figures only: nothing here fails on speed.
#include "protocol/messagedistance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

struct Kind
{
    const char *name;
    QByteArray wire; // as the device sends it
    QByteArray json; // the same report as valid JSON, for the parser's floor
    void (MessageDistance::*signal)(const QJsonObject &);
};

QByteArray routingReport()
{
    QByteArray r = "{";
    for (const char *layer : {"video", "audio", "IR"}) {
        for (int n = 1; n <= 9; ++n)
            r += '"' + QByteArray(layer) + QByteArray::number(n) +
                 "\":" + QByteArray::number(10 - n) + ',';
    }
    r.chop(1);
    return r + '}';
}

QByteArray resolutionReport(bool quoted)
{
    const QByteArray q = quoted ? "\"" : "";
    QByteArray r = "{";
    for (const char *side : {"in", "out"}) {
        for (int n = 1; n <= 9; ++n)
            r += '"' + QByteArray(side) + QByteArray::number(n) + "\":" + q + "1920x1080x60Hz" + q +
                 ',';
    }
    r.chop(1);
    return r + '}';
}

// Receives every report on this thread and ends the wait at the expected count.
class Counter : public QObject
{
public:
    int count = 0;
    int target = 0;
    QEventLoop *loop = nullptr;
    void hit()
    {
        if (++count == target && loop)
            loop->quit();
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double processCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

// Per report: the best wall time of the repetitions (the one least disturbed by other work on
// the machine) and the median process CPU time (both threads, so it includes the delivery).
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

Timing summarise(std::vector<double> wall, std::vector<double> cpu)
{
    std::sort(cpu.begin(), cpu.end());
    return {*std::min_element(wall.begin(), wall.end()), cpu[cpu.size() / 2]};
}

// Handed over in pieces of at most 64 KiB, about what one read of a busy socket returns.
void feed(MessageDistance &client, const QByteArray &bytes)
{
    for (int at = 0; at < bytes.size(); at += 65536) {
        QMetaObject::invokeMethod(&client, "receiveDataSlot", Qt::DirectConnection,
                                  Q_ARG(QByteArray, bytes.mid(at, 65536)));
    }
}

// Nanoseconds per report from handing the burst over to the last delivery.
Timing ourTime(MessageDistance &client, Counter &counter, const QByteArray &report, int burst,
               int reps)
{
    const QByteArray bytes = report.repeated(burst);
    std::vector<double> perReport;
    std::vector<double> cpuPerReport;
    for (int r = 0; r < reps; ++r) {
        QEventLoop loop;
        counter.count = 0;
        counter.target = burst;
        counter.loop = &loop;
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        const double cpuStart = processCpuNs();
        QElapsedTimer timer;
        timer.start();
        feed(client, bytes);
        if (counter.count < burst)
            loop.exec();
        const double ns = double(timer.nsecsElapsed());
        cpuPerReport.push_back((processCpuNs() - cpuStart) / burst);
        counter.loop = nullptr;
        if (counter.count != burst) {
            std::fprintf(stderr, "only %d of %d reports arrived\n", counter.count, burst);
            std::exit(1);
        }
        perReport.push_back(ns / burst);
    }
    return summarise(perReport, cpuPerReport);
}

Timing fromJsonTime(const QByteArray &json, int burst, int reps)
{
    std::vector<double> perReport;
    std::vector<double> cpuPerReport;
    int keys = 0;
    for (int r = 0; r < reps; ++r) {
        const double cpuStart = processCpuNs();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < burst; ++i)
            keys += QJsonDocument::fromJson(json).object().size();
        perReport.push_back(double(timer.nsecsElapsed()) / burst);
        cpuPerReport.push_back((processCpuNs() - cpuStart) / burst);
    }
    if (keys == 0)
        std::fprintf(stderr, "fromJson parsed nothing\n");
    return summarise(perReport, cpuPerReport);
}

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

struct FloodFigures
{
    double sentPerSecond = 0;
    double absorbedPerSecond = 0;
    double longestStallMs = 0;
    double idleMiB = 0;
    double peakMiB = 0;
    double afterMiB = 0;
};

// A device that sends routing reports as fast as the link takes them for a few seconds, from a
// thread of its own; the GUI thread meanwhile counts what reaches it and watches its own
// timer for the longest gap between ticks.
FloodFigures flood(const QByteArray &report, int seconds)
{
    FloodFigures f;
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    MessageDistance client;
    Counter counter;
    QObject::connect(&client, &MessageDistance::receiveVideoAudioIRMapSig, &counter,
                     [&counter] { counter.hit(); });
    client.connectToDevice(QStringLiteral("127.0.0.1"), server.serverPort());
    if (!server.waitForNewConnection(5000))
        return f;
    QTcpSocket *accepted = server.nextPendingConnection();
    const qintptr descriptor = accepted->socketDescriptor();
    accepted->setParent(nullptr);
    for (int i = 0; i < 50 && !client.isConnected(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    std::atomic<long> sent{0};
    std::atomic<bool> stop{false};
    QThread *writer = QThread::create([&, descriptor] {
        QTcpSocket socket;
        socket.setSocketDescriptor(descriptor);
        const QByteArray batch = report.repeated(64);
        while (!stop) {
            socket.write(batch);
            while (socket.bytesToWrite() > 0 && !stop)
                socket.waitForBytesWritten(50);
            sent += 64;
        }
    });

    f.idleMiB = rssKiB() / 1024.0;
    long peak = rssKiB();
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - lastTick);
        lastTick = now;
        peak = std::max(peak, rssKiB());
    });
    counter.count = 0;
    counter.target = -1;
    writer->start();
    clock.start();
    ticker.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = clock.nsecsElapsed() / 1e9;
    const int absorbed = counter.count;
    const long sentCount = sent;
    ticker.stop();
    stop = true;
    client.closeConnections();
    writer->wait();
    delete writer;
    delete accepted;
    // What was still on its way is delivered (and dropped with the client) before memory is read
    // again.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
    f.sentPerSecond = sentCount / elapsed;
    f.absorbedPerSecond = absorbed / elapsed;
    f.longestStallMs = longest / 1e6;
    f.peakMiB = peak / 1024.0;
    f.afterMiB = rssKiB() / 1024.0;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The log handler is not what is measured; every line is still formatted.
    qInstallMessageHandler(dropMessage);

    MessageDistance client;
    Counter counter;
    const QByteArray wall = "{window1:1,0,0,0,1920,1080,window2:2,1,960,0,960,540,"
                            "window3:3,2,0,540,960,540,window4:0,0,0,0,0,0,VIR:0,1,AUDIO:3}";
    const QByteArray wallJson =
        R"({"window1":[1,0,0,0,1920,1080],"window2":[2,1,960,0,960,540],)"
        R"("window3":[3,2,0,540,960,540],"window4":[0,0,0,0,0,0],"VIR":[0,1],"AUDIO":[3]})";
    const std::vector<Kind> kinds = {
        {"routing", routingReport(), routingReport(), &MessageDistance::receiveVideoAudioIRMapSig},
        {"resolution", resolutionReport(false), resolutionReport(true),
         &MessageDistance::receiveInOutChannelResolutionMapSig},
        {"wall status", wall, wallJson, &MessageDistance::receiveWindowStatusSig},
    };
    for (const Kind &kind : kinds)
        QObject::connect(&client, kind.signal, &counter, [&counter] { counter.hit(); });

    // Warm up allocators and caches.
    ourTime(client, counter, kinds[0].wire, 1000, 2);

    // "--profile N": only bursts of 10,000 reports of kind N (0 routing, 1 resolution, 2 wall),
    // for a profiler to look at.
    const QStringList args = app.arguments();
    const int profile = args.indexOf(QStringLiteral("--profile"));
    if (profile > 0 && profile + 1 < args.size()) {
        const Kind &kind = kinds.at(std::clamp(args.at(profile + 1).toInt(), 0, 2));
        std::printf("%s: %.0f ns per report\n", kind.name,
                    ourTime(client, counter, kind.wire, 10000, 30).wall);
        return 0;
    }

    // "--flood": only the flood figures.
    if (args.contains(QStringLiteral("--flood"))) {
        const FloodFigures fl = flood(kinds[0].wire, 5);
        std::printf("flood: wrote %.0f/s, absorbed %.0f/s, longest stall %.1f ms, RSS idle %.1f "
                    "peak %.1f after %.1f MiB\n",
                    fl.sentPerSecond, fl.absorbedPerSecond, fl.longestStallMs, fl.idleMiB,
                    fl.peakMiB, fl.afterMiB);
        return 0;
    }

    // "--cpu-time": the SUMMARY ratios from process CPU time instead of wall time, for a
    // machine shared with other work.
    const bool cpuBased = args.contains(QStringLiteral("--cpu-time"));
    std::printf("%-12s %6s %5s %12s %12s %7s %12s %12s %7s\n", "report", "burst", "reps",
                "ours wall", "fromJson", "ratio", "ours cpu", "fromJson", "ratio");
    std::printf("%-12s %6s %5s %12s %12s %7s %12s %12s %7s\n", "", "", "", "ns/report", "ns/report",
                "", "ns/report", "ns/report", "");
    Timing routing100, routing10000, routingFloor;
    for (const Kind &kind : kinds) {
        for (const int burst : {1, 100, 10000}) {
            const int reps = burst == 1 ? 201 : burst == 100 ? 41 : 7;
            const Timing ours = ourTime(client, counter, kind.wire, burst, reps);
            const Timing floor = fromJsonTime(kind.json, std::max(burst, 1000), reps);
            std::printf("%-12s %6d %5d %12.0f %12.0f %7.2f %12.0f %12.0f %7.2f\n", kind.name, burst,
                        reps, ours.wall, floor.wall, ours.wall / floor.wall, ours.cpu, floor.cpu,
                        ours.cpu / floor.cpu);
            if (kind.signal == &MessageDistance::receiveVideoAudioIRMapSig) {
                if (burst == 100)
                    routing100 = ours;
                if (burst == 10000) {
                    routing10000 = ours;
                    routingFloor = floor;
                }
            }
        }
    }
    const auto pick = [cpuBased](const Timing &t) { return cpuBased ? t.cpu : t.wall; };

    // Noise that holds no message, then one report: the time grows with the noise, no faster.
    std::printf("\n%-28s %8s %12s %12s\n", "noise before a report", "MB", "ms", "ms per MB");
    for (const bool braces : {false, true}) {
        for (const int mb : {2, 8}) {
            QByteArray noise(mb << 20, 'x');
            if (braces) {
                for (int i = 0; i < noise.size(); i += 61)
                    noise[i] = '}';
            }
            QEventLoop loop;
            counter.count = 0;
            counter.target = 1;
            counter.loop = &loop;
            QElapsedTimer timer;
            timer.start();
            feed(client, noise);
            feed(client, kinds[0].wire);
            if (counter.count < 1)
                loop.exec();
            counter.loop = nullptr;
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            std::printf("%-28s %8d %12.1f %12.2f\n",
                        braces ? "with stray closing braces" : "without braces", mb, ms, ms / mb);
        }
    }

    // An open, silent connection: the parse thread must sleep.
    QTcpServer device;
    device.listen(QHostAddress::LocalHost, 0);
    client.connectToDevice(QStringLiteral("127.0.0.1"), device.serverPort());
    {
        QEventLoop loop;
        QObject::connect(&client, &MessageDistance::connectSuccessFulSig, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        if (!client.isConnected())
            loop.exec();
    }
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wallClock;
    wallClock.start();
    {
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double idlePercent =
        (cpuSeconds() - cpuBefore) / (double(wallClock.nsecsElapsed()) / 1e9) * 100.0;
    std::printf("\nidle connected client: %.2f %% CPU over 2 s (connected: %s)\n", idlePercent,
                client.isConnected() ? "yes" : "no");

    // A device flooding the link: how much is absorbed while the GUI thread keeps ticking, and
    // what it costs in memory.
    const FloodFigures fl = flood(kinds[0].wire, 5);
    std::printf("\nflood of routing reports over loopback for 5 s: device wrote %.0f reports/s, "
                "%.0f reports/s reached the receiver; longest GUI-thread stall %.1f ms (target "
                "<= 100); resident memory idle %.1f MiB, peak %.1f MiB (+%.1f, target <= 50), "
                "after %.1f MiB\n",
                fl.sentPerSecond, fl.absorbedPerSecond, fl.longestStallMs, fl.idleMiB, fl.peakMiB,
                fl.peakMiB - fl.idleMiB, fl.afterMiB);

    std::printf("SUMMARY reports_per_s=%.0f scaling_10000_vs_100=%.2f overhead_vs_fromjson=%.2f "
                "idle_cpu_percent=%.2f flood_absorbed_per_s=%.0f flood_longest_stall_ms=%.1f "
                "flood_peak_rss_over_idle_mib=%.1f\n",
                1e9 / pick(routing10000), pick(routing10000) / pick(routing100),
                pick(routing10000) / pick(routingFloor), idlePercent, fl.absorbedPerSecond,
                fl.longestStallMs, fl.peakMiB - fl.idleMiB);
    return 0;
}
