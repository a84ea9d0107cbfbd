// Figures for the wall canvas, offscreen at 1500 x 1500 with four windows:
//   1. dragging a window: time per mouse move handled, repaint included, and the commands that
//      reach a loopback device (one WindowMove, on release);
//   2. rebuilding from the device's window report: time per rebuild, and widgets created or
//      deleted by a report that changes nothing.
// Prints medians and ratios to the targets; never fails on speed.
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void wait(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void mouse(QWidget *w, QEvent::Type type, const QPoint &local, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, local, w->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropMessage);
    QApplication app(argc, argv);

    QTcpServer device;
    device.listen(QHostAddress::LocalHost, 0);
    QByteArray received;
    QObject::connect(&device, &QTcpServer::newConnection, [&] {
        QTcpSocket *s = device.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, [s, &received] { received += s->readAll(); });
    });
    MessageDistance *client = MessageDistance::instance();
    client->connectToDevice(QStringLiteral("127.0.0.1"), device.serverPort());
    wait([&] { return client->isConnected(); }, 10000);

    DeviceState *store = DeviceState::instance();
    store->setVirMode(0);
    store->setOutputResolution({{1, QStringLiteral("1920x1080x60Hz")}});
    const QMap<int, QList<int>> four{{1, {1, 1, 0, 0, 1920, 1080}},
                                     {2, {2, 2, 1920, 0, 1920, 1080}},
                                     {3, {3, 3, 0, 1080, 1920, 1080}},
                                     {4, {4, 4, 3840, 2160, 1920, 1080}}};
    store->setWindowStatus(four);

    OutputWidget0409 canvas;
    canvas.setMessageHook([](const QString &, const QString &, bool) { return true; });
    canvas.resize(1500, 1500);
    canvas.show();
    canvas.resetAndLayout();
    canvas.onOutputResolutionReady();
    canvas.onRotationReady();
    canvas.onWindowsReady();
    QCoreApplication::processEvents();

    // 1. Drag window 1 across the canvas and back.
    InputSignalWidget0409 *w = canvas.window(1);
    const int moves = 2000;
    std::vector<double> perMove;
    perMove.reserve(moves);
    wait([&] { return false; }, 50);
    received.clear();
    const QPoint grip(120, 15);
    mouse(w, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    QElapsedTimer t;
    for (int i = 1; i <= moves; ++i) {
        // Out to the far corner and half way back, so that the window ends somewhere new.
        const int step = i <= moves / 2 ? i : moves - i / 2;
        const QPoint to = grip + QPoint(step, step / 2) - w->pos();
        t.start();
        mouse(w, QEvent::MouseMove, to, Qt::LeftButton);
        // The repaint the move asked for, flushed as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCoreApplication::processEvents();
        perMove.push_back(t.nsecsElapsed() / 1e6);
    }
    const QByteArray whileDragging = received;
    mouse(w, QEvent::MouseButtonRelease, grip + QPoint(moves / 2, moves / 4) - w->pos(),
          Qt::NoButton);
    wait([&] { return received.contains("WindowMove"); }, 5000);
    wait([&] { return false; }, 100);
    const int sentMoves = received.count("WindowMove");
    const double dragMedian = median(perMove);

    // 2. Rebuild from the same report again and again.
    QList<QPointer<InputSignalWidget0409>> before;
    for (int id : canvas.windowIds())
        before << canvas.window(id);
    std::vector<double> perRebuild;
    int churn = 0;
    for (int i = 0; i < 500; ++i) {
        t.start();
        canvas.rebuildFromDevice();
        perRebuild.push_back(t.nsecsElapsed() / 1e6);
    }
    QCoreApplication::processEvents();
    for (int k = 0; k < before.size(); ++k) {
        if (!before[k] || canvas.window(k + 1) != before[k])
            ++churn;
    }
    const double rebuildMedian = median(perRebuild);

    std::printf("drag:    %d moves, median %.3f ms per move (target 1 ms, ratio %.2f), "
                "bytes while dragging %d, WindowMove on release %d (target 1)\n",
                moves, dragMedian, dragMedian / 1.0, int(whileDragging.size()), sentMoves);
    std::printf("rebuild: 500 runs, median %.3f ms (target 2 ms, ratio %.2f), windows replaced "
                "by an unchanged report %d (target 0)\n",
                rebuildMedian, rebuildMedian / 2.0, churn);
    std::printf("SUMMARY drag_ms=%.3f drag_ratio=%.2f moves_sent=%d rebuild_ms=%.3f "
                "rebuild_ratio=%.2f widgets_replaced=%d\n",
                dragMedian, dragMedian, sentMoves, rebuildMedian, rebuildMedian / 2.0, churn);
    return 0;
}
