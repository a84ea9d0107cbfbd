// The video wall through the whole application against the simulated wall processor: mouse
// gestures on the wall page's real windows, the exact window commands on the wire, and the
// device, the canvas and its widgets agreeing afterwards; reports from another operator and a
// device too slow to report; the splicing setting, the window property dialog and user rights.
#define QTEST_QPA_MOUSE_HANDLING
#include "../common/windowstart.h"
#include "simprocess.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "state/wallgeometry.h"
#include "uikit/msgdlg.h"
#include "users/permissionfunction.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"
#include "wall/widgetsplicingsetting.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using Windows = QMap<int, QList<int>>; // ID -> input, layer, x, y, width, height
using Layers = QMap<int, int>;

namespace {
// Ignored by the device; marks the end of what the application sent before it.
const QString Fence = QStringLiteral("{param=fence}");

QString windowText(const Windows &windows)
{
    QStringList parts;
    for (auto it = windows.cbegin(); it != windows.cend(); ++it) {
        QStringList values;
        for (int v : it.value())
            values << QString::number(v);
        parts << QStringLiteral("%1:[%2]").arg(it.key()).arg(values.join(QLatin1Char(',')));
    }
    return parts.join(QLatin1Char(' '));
}

/// The operator picks entry `index` with the keyboard, as a choice (not a programmatic set).
void choose(QComboBox *box, int index)
{
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index > 0 ? index - 1 : 1);
    }
    QTest::keyClick(box, index > 0 ? Qt::Key_Down : Qt::Key_Up);
}
} // namespace

class TestWallE2E : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Widget> m_window;
    OutputWidget0409 *m_canvas = nullptr;
    QStringList m_messages;
    bool m_confirm = true;
    QTimer m_dialogCloser;
    int m_mark = 0;

    /// The wall simulator and a login-free window against it, showing the device's one window.
    bool start(const QString &userName = QStringLiteral("ADMIN"), const QStringList &options = {})
    {
        if (!m_sim->start(QStringLiteral("0409-S"), 0, options))
            return false;
        prepareLoginFreeStart(m_dataDir->path(), m_sim->controlPort());
        AppSettings::instance()->setUserName(userName);
        AppSettings::instance()->setType(2);
        return true;
    }
    bool openWindow(bool waitForWall = true)
    {
        if (!m_window)
            m_window = std::make_unique<Widget>();
        m_canvas = m_window->findChild<OutputWidget0409 *>(QStringLiteral("widget_out_0409"));
        if (!m_canvas)
            return false;
        m_canvas->setMessageHook([this](const QString &, const QString &text, bool) {
            m_messages << text;
            return m_confirm;
        });
        if (!waitForWall)
            return true;
        return m_sim->waitForCommand(QStringLiteral("{param=Get_Rotate}")) &&
               QTest::qWaitFor([this] { return m_canvas->windowIds() == QList<int>{1}; }, 5000) &&
               QTest::qWaitForWindowExposed(m_window.get());
    }

    /// Commands from here on are what the next call of sent() reports.
    void mark() { m_mark = m_sim->commands().size(); }
    /// What the application sent since the last call (or mark()), joined by spaces; fenced on
    /// its own link so that "nothing" is known without waiting on a guess.
    QString sent()
    {
        MessageDistance::instance()->sendCommand(Fence);
        if (!m_sim->waitForCommand(Fence, m_mark))
            return QStringLiteral("<no fence>");
        const QStringList all = m_sim->commands();
        const int fence = all.indexOf(Fence, m_mark);
        // The test's own queries of the device come from other clients.
        const QString client = m_sim->clientAt(fence);
        QStringList got;
        for (int i = m_mark; i < fence; ++i) {
            if (m_sim->clientAt(i) == client)
                got << all.at(i);
        }
        m_mark = fence + 1;
        return got.join(QLatin1Char(' '));
    }

    /// The canvas's windows in the device's terms.
    Windows shownWindows() const
    {
        Windows out;
        for (int id : m_canvas->windowIds()) {
            const InputSignalWidget0409 *w = m_canvas->window(id);
            const QRect v = w->currentVirtualRect();
            out.insert(id, {w->input(), w->layer(), v.x(), v.y(), v.width(), v.height()});
        }
        return out;
    }
    /// The device's open windows.
    Windows deviceWindows() const
    {
        Windows out = m_sim->wall().windows;
        for (auto it = out.begin(); it != out.end();)
            it = it.value().value(0) == 0 ? out.erase(it) : it + 1;
        return out;
    }
    /// Empty when the device, the canvas and the windows' widgets show the same wall; otherwise
    /// what differs.
    QString disagreement() const
    {
        const Windows device = deviceWindows();
        const Windows shown = shownWindows();
        if (device != shown)
            return QStringLiteral("device %1 / canvas %2")
                .arg(windowText(device), windowText(shown));
        for (int id : m_canvas->windowIds()) {
            const InputSignalWidget0409 *w = m_canvas->window(id);
            const QRectF want = WallGeometry::virtualToCanvas(
                w->currentVirtualRect(), m_canvas->virtualSize(), m_canvas->size());
            const QRect got = w->geometry();
            if (qAbs(got.x() - want.x()) > 1 || qAbs(got.y() - want.y()) > 1 ||
                qAbs(got.width() - want.width()) > 1 || qAbs(got.height() - want.height()) > 1 ||
                !w->isVisible())
                return QStringLiteral("window %1 drawn at %2,%3 %4x%5")
                    .arg(id)
                    .arg(got.x())
                    .arg(got.y())
                    .arg(got.width())
                    .arg(got.height());
        }
        return QString();
    }

    /// A point of the canvas given as fractions of its size.
    QPoint at(double fx, double fy) const
    {
        return QPoint(int(fx * m_canvas->width()), int(fy * m_canvas->height()));
    }
    /// Another operator's command; waits until this window has applied the report it causes.
    void otherClient(const QString &command, const std::function<bool()> &applied)
    {
        QVERIFY(m_sim->sendAsOtherClient(command));
        QVERIFY2(QTest::qWaitFor(applied, 5000), qPrintable(command));
    }
    /// Drops video input `input` from the signal list onto the canvas at `pos`.
    void dropInput(int input, const QPoint &pos)
    {
        auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
        std::unique_ptr<QMimeData> data(
            list->createDragData(list->entry(ListWidget::VideoKind, input)));
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(pos, offered, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_canvas, &enter);
        QDropEvent drop(pos, offered, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_canvas, &drop);
    }
    /// Clicks input `input` in the signal list, then draws a rectangle on the canvas.
    void drawWindow(int input, const QPoint &from, const QPoint &to)
    {
        auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
        QListWidgetItem *item = list->entry(ListWidget::VideoKind, input);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(item).center());
        QCOMPARE(m_canvas->currentInput(), input);
        QTest::mousePress(m_canvas, Qt::LeftButton, Qt::NoModifier, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(m_canvas, from + (to - from) * step / 4);
        QTest::mouseRelease(m_canvas, Qt::LeftButton, Qt::NoModifier, to);
    }
    /// Right click on the window and the entry `text` of its menu.
    void menuEntry(InputSignalWidget0409 *w, const QString &text)
    {
        QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier,
                          QPoint(w->width() / 2, w->height() / 2));
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        const QPointer<QMenu> open(menu);
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            if (action->text() == text) {
                action->trigger(); // may run a modal dialog, during which the menu goes
                if (open)
                    open->close();
                return;
            }
        }
        QFAIL(qPrintable(text + QStringLiteral(" is not in the menu")));
    }
    /// Drags the widget `w` by `delta` from `grab` (its own coordinates), in steps.
    void drag(QWidget *w, const QPoint &grab, const QPoint &delta)
    {
        const QPoint from = w->mapTo(m_canvas, grab);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, grab);
        for (int step = 1; step <= 5; ++step)
            QTest::mouseMove(m_canvas, from + delta * step / 5);
        QTest::mouseRelease(m_canvas, Qt::LeftButton, Qt::NoModifier, from + delta);
    }
    /// Opens the wall with three windows: 1 at the top left (the device's own), 2 and 3 beside
    /// it, layered 1, 2, 3 from the bottom.
    void threeWindows()
    {
        otherClient(QStringLiteral("{param=WindowOpen2/2/2/1920/0/1920/1080}"),
                    [this] { return m_canvas->window(2); });
        otherClient(QStringLiteral("{param=WindowOpen3/3/3/3840/0/1920/1080}"),
                    [this] { return m_canvas->window(3); });
    }
    Layers shownLayers() const
    {
        Layers out;
        for (int id : m_canvas->windowIds())
            out.insert(id, m_canvas->window(id)->layer());
        return out;
    }

private slots:
    void initTestCase()
    {
        // The port warning is a message box of the main window: note it and close it.
        m_dialogCloser.setInterval(20);
        connect(&m_dialogCloser, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<MsgDlg *>(QApplication::activeModalWidget())) {
                m_messages.append(box->message());
                box->done(0);
            }
        });
    }
    void init()
    {
        m_dataDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dataDir->isValid());
        m_sim = std::make_unique<SimProcess>();
        m_messages.clear();
        m_confirm = true;
        m_dialogCloser.start();
    }
    void cleanup()
    {
        m_window.reset();
        m_canvas = nullptr;
        MessageDistance::instance()->closeConnections();
        m_sim.reset();
        m_dialogCloser.stop();
    }

    void drawDropAndClose()
    {
        QVERIFY(start());
        QVERIFY(openWindow());
        QCOMPARE(disagreement(), QString());
        mark();

        // A rectangle over the middle of the wall, drawn with input 3 chosen in the list.
        drawWindow(3, at(0.4, 0.4), at(0.6, 0.7));
        QVERIFY(m_canvas->window(2));
        const QRect drawn = m_canvas->window(2)->currentVirtualRect();
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen2/3/2/%1/%2/%3/%4}")
                             .arg(drawn.x())
                             .arg(drawn.y())
                             .arg(drawn.width())
                             .arg(drawn.height()));
        // Where it was drawn, to two canvas pixels.
        const int dx = 2 * 5760 / m_canvas->width() + 1;
        const int dy = 2 * 3240 / m_canvas->height() + 1;
        QVERIFY2(qAbs(drawn.x() - 2304) <= dx && qAbs(drawn.y() - 1296) <= dy &&
                     qAbs(drawn.width() - 1152) <= dx && qAbs(drawn.height() - 972) <= dy,
                 qPrintable(windowText(shownWindows())));
        QCOMPARE(disagreement(), QString());

        // Onto an empty cell: a window of that cell. Onto a window: it shows the input.
        dropInput(2, at(0.9, 0.9));
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen3/2/3/3840/2160/1920/1080}"));
        dropInput(4, at(0.1, 0.1));
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen1/4/1/0/0/1920/1080}"));
        QCOMPARE(shownWindows().value(1), (QList<int>{4, 1, 0, 0, 1920, 1080}));
        QCOMPARE(m_canvas->windowIds(), (QList<int>{1, 2, 3}));
        QCOMPARE(disagreement(), QString());

        // Close one by its header; close all only once the operator confirms.
        QTest::mouseClick(m_canvas->window(2)->button("btn_close"), Qt::LeftButton);
        QCOMPARE(sent(), QStringLiteral("{param=WindowClose2}"));
        QCOMPARE(disagreement(), QString());
        auto *closeAll = m_window->findChild<QPushButton *>(QStringLiteral("btn_0409_close_all"));
        m_confirm = false;
        QTest::mouseClick(closeAll, Qt::LeftButton);
        QCOMPARE(sent(), QString());
        QCOMPARE(m_canvas->windowIds(), (QList<int>{1, 3}));
        m_confirm = true;
        QTest::mouseClick(closeAll, Qt::LeftButton);
        QCOMPARE(sent(), QStringLiteral("{param=WindowCloseAll}"));
        QCOMPARE(m_messages, (QStringList{QStringLiteral("Confirm to close all windows"),
                                          QStringLiteral("Confirm to close all windows")}));
        QVERIFY(m_canvas->windowIds().isEmpty());
        QCOMPARE(disagreement(), QString());
    }

    void moveByHeaderAndResizeByEdge()
    {
        QVERIFY(start());
        QVERIFY(openWindow());
        InputSignalWidget0409 *w = m_canvas->window(1);
        mark();
        // Dropped 4 px short of the next cell boundary: it snaps onto it.
        const int cellWidth = m_canvas->width() / 3;
        drag(w, QPoint(w->width() / 3, w->header()->height() / 2), QPoint(cellWidth - 4, 0));
        QCOMPARE(sent(), QStringLiteral("{param=WindowMove1/1920/0}"));
        QCOMPARE(disagreement(), QString());

        // The bottom edge pulled down by half a cell.
        const int cellHeight = m_canvas->height() / 3;
        drag(w, QPoint(w->width() / 2, w->height() - 3), QPoint(0, cellHeight / 2));
        const QRect v = w->currentVirtualRect();
        QCOMPARE(sent(), QStringLiteral("{param=WindowResize1/1920/0/1920/%1}").arg(v.height()));
        QVERIFY2(qAbs(v.height() - 1620) <= 2 * 3240 / m_canvas->height() + 1,
                 qPrintable(QString::number(v.height())));
        QCOMPARE(disagreement(), QString());
    }

    void zoomAndRestore_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        const QString menu = QStringLiteral("menu:");
        QTest::newRow("single screen")
            << "2000/100/500/500" << QStringList{menu + "Zoom to a Single Screen"}
            << QStringList{"{param=WindowResize1/1920/0/1920/1080}"};
        QTest::newRow("occupied screens") << "1800/1000/400/200" << QStringList{"btn_stick"}
                                          << QStringList{"{param=WindowResize1/0/0/3840/2160}"};
        QTest::newRow("restore after two zooms")
            << "2000/100/500/500"
            << QStringList{menu + "Zoom to the Occupied Screens", "btn_full", "btn_restore"}
            << QStringList{"{param=WindowResize1/1920/0/1920/1080}",
                           "{param=WindowResize1/0/0/5760/3240}",
                           "{param=WindowResize1/2000/100/500/500}"};
    }
    void zoomAndRestore()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QVERIFY(this->start());
        QVERIFY(openWindow());
        const QStringList r = start.split(QLatin1Char('/'));
        const QRect from(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
        // Placed by another operator: the report moves the canvas's window.
        otherClient(QStringLiteral("{param=WindowResize1/%1}").arg(start),
                    [this, from] { return m_canvas->window(1)->currentVirtualRect() == from; });
        QCOMPARE(disagreement(), QString());
        mark();
        for (const QString &step : steps) {
            InputSignalWidget0409 *w = m_canvas->window(1);
            if (step.startsWith(QLatin1String("menu:")))
                menuEntry(w, step.mid(5));
            else
                QTest::mouseClick(w->button(step.toLatin1().constData()), Qt::LeftButton);
        }
        QCOMPARE(sent(), expected.join(QLatin1Char(' ')));
        QCOMPARE(disagreement(), QString());
    }

    void layers_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<Layers>("after");
        QTest::newRow("up from the bottom")
            << 1 << "Layer Up"
            << "{param=WindowLayer1/2}" << Layers{{1, 2}, {2, 1}, {3, 3}};
        QTest::newRow("down from the top")
            << 3 << "Layer Down"
            << "{param=WindowLayer3/2}" << Layers{{1, 1}, {2, 3}, {3, 2}};
        QTest::newRow("to the top") << 1 << "Layer to Top"
                                    << "{param=WindowLayer1/3}" << Layers{{1, 3}, {2, 1}, {3, 2}};
        QTest::newRow("to the bottom")
            << 3 << "Layer to Bottom"
            << "{param=WindowLayer3/1}" << Layers{{1, 2}, {2, 3}, {3, 1}};
        QTest::newRow("up on the top of three")
            << 3 << "Layer Up"
            << "{param=WindowLayer3/3}" << Layers{{1, 1}, {2, 2}, {3, 3}};
        QTest::newRow("down on the bottom")
            << 1 << "Layer Down" << QString() << Layers{{1, 1}, {2, 2}, {3, 3}};
    }
    void layers()
    {
        QFETCH(int, id);
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        QFETCH(Layers, after);
        QVERIFY(start());
        QVERIFY(openWindow());
        threeWindows();
        QCOMPARE(shownLayers(), (Layers{{1, 1}, {2, 2}, {3, 3}}));
        mark();
        menuEntry(m_canvas->window(id), entry);
        QCOMPARE(sent(), expected);
        QCOMPARE(shownLayers(), after);
        QCOMPARE(disagreement(), QString());
        // Drawn bottom to top in layer order.
        const QList<InputSignalWidget0409 *> stacked =
            m_canvas->findChildren<InputSignalWidget0409 *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(stacked.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(stacked.at(i)->layer(), i + 1);
    }

    void reportsOfAnotherOperator()
    {
        QVERIFY(start());
        QVERIFY(openWindow());
        // Moved and opened elsewhere: the canvas redraws them where the device has them.
        otherClient(QStringLiteral("{param=WindowMove1/1920/1080}"), [this] {
            return m_canvas->window(1)->currentVirtualRect().topLeft() == QPoint(1920, 1080);
        });
        otherClient(QStringLiteral("{param=WindowOpen4/2/2/100/200/3000/1500}"),
                    [this] { return m_canvas->window(4); });
        QCOMPARE(disagreement(), QString());
        // Closed elsewhere: the report's input 0 removes the window.
        QPointer<InputSignalWidget0409> one = m_canvas->window(1);
        otherClient(QStringLiteral("{param=WindowClose1}"),
                    [this] { return !m_canvas->window(1); });
        QTRY_VERIFY(!one);
        QCOMPARE(m_canvas->windowIds(), QList<int>{4});
        QCOMPARE(m_canvas->window(4)->layer(), 1);
        QCOMPARE(disagreement(), QString());

        // The operator's own move, then another operator's rotation report: the canvas still
        // shows what the device has.
        mark();
        InputSignalWidget0409 *four = m_canvas->window(4);
        drag(four, QPoint(four->width() / 3, four->header()->height() / 2),
             QPoint(m_canvas->width() / 3, m_canvas->height() / 3));
        QVERIFY(sent().startsWith(QLatin1String("{param=WindowMove4/")));
        QCOMPARE(disagreement(), QString());
        QSignalSpy rotation(m_window.get(), &Widget::si_rotate_degree_ready);
        otherClient(QStringLiteral("{param=Rotate5/0}"),
                    [&rotation] { return !rotation.isEmpty(); });
        QCOMPARE(disagreement(), QString());
        QCOMPARE(sent(), QString());
    }

    void slowDeviceTimesOut()
    {
        // Every answer takes longer than the wall waits for its three reports.
        QVERIFY(
            start(QStringLiteral("ADMIN"), {QStringLiteral("--latency"), QStringLiteral("6000")}));
        QVERIFY(openWindow(false));
        QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=Get_Rotate}"), 0, 15000));
        QVERIFY(m_canvas->windowIds().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(
            m_messages, QStringList{QStringLiteral("Timeout for Reading The last Window status!")},
            15000);
        QVERIFY(m_canvas->windowIds().isEmpty());
        QVERIFY(!m_canvas->rebuildPending());
        // The late reports still bring the device's window.
        QTRY_COMPARE_WITH_TIMEOUT(m_canvas->windowIds(), QList<int>{1}, 10000);
        QCOMPARE(disagreement(), QString());
        QCOMPARE(m_messages.size(), 1);
    }

    void splicingSetting_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QSize>("wall");
        QTest::addColumn<QSize>("screen");
        QTest::newRow("layout 2x4")
            << "cbb_layout" << 2 << "{param=VIR2}" << QSize(7680, 2160) << QSize(1920, 1080);
        QTest::newRow("resolution 1280x720") << "cbb_resolu" << 2 << "{param=Port1/1280x720x60Hz!}"
                                             << QSize(3840, 2160) << QSize(1280, 720);
        QTest::newRow("rotated a quarter")
            << "cbb_rotate" << 1 << "{param=Rotate1/1}" << QSize(3240, 5760) << QSize(1080, 1920);
    }
    void splicingSetting()
    {
        QFETCH(QString, box);
        QFETCH(int, index);
        QFETCH(QString, command);
        QFETCH(QSize, wall);
        QFETCH(QSize, screen);
        QVERIFY(start());
        QVERIFY(openWindow());
        mark();
        bool chosen = false;
        QTimer::singleShot(0, this, [&] {
            auto *setting = qobject_cast<WidgetSplicingSetting *>(QApplication::activeWindow());
            if (!setting) {
                for (QWidget *top : QApplication::topLevelWidgets())
                    setting = setting ? setting : qobject_cast<WidgetSplicingSetting *>(top);
            }
            if (!setting || !setting->isVisible())
                return;
            choose(setting->findChild<QComboBox *>(box), index);
            chosen = true;
            QTest::mouseClick(setting->findChild<QPushButton *>(QStringLiteral("btn_close")),
                              Qt::LeftButton);
        });
        QTimer::singleShot(10000, this, [] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (qobject_cast<WidgetSplicingSetting *>(top))
                    top->close();
            }
        });
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("btn_splicing_set")),
                          Qt::LeftButton);
        QVERIFY(chosen);
        // Closed, the setting asks the device for the wall again.
        QCOMPARE(sent(), QStringLiteral("{param=Get_Noinput1} %1 {param=status} {param=resolution} "
                                        "{param=Get_Rotate}")
                             .arg(command));
        QTRY_VERIFY_WITH_TIMEOUT(m_canvas->windowsReceived() && m_canvas->resolutionReceived() &&
                                     m_canvas->rotationReceived(),
                                 5000);
        QCOMPARE(m_canvas->virtualSize(), wall);
        const SimProcess::Wall device = m_sim->wall();
        QCOMPARE(device.vir, DeviceState::instance()->virMode());
        // The canvas keeps the wall's shape, and its windows their place on the device.
        QVERIFY(qAbs(double(m_canvas->width()) / m_canvas->height() -
                     double(wall.width()) / wall.height()) < 0.02);
        QCOMPARE(disagreement(), QString());
        // Window commands now speak the new wall: one screen, then all of it.
        InputSignalWidget0409 *w = m_canvas->window(1);
        menuEntry(w, QStringLiteral("Zoom to a Single Screen"));
        QTest::mouseClick(w->button("btn_full"), Qt::LeftButton);
        QCOMPARE(sent(), QStringLiteral("{param=WindowResize1/0/0/%1/%2} "
                                        "{param=WindowResize1/0/0/%3/%4}")
                             .arg(screen.width())
                             .arg(screen.height())
                             .arg(wall.width())
                             .arg(wall.height()));
        QCOMPARE(disagreement(), QString());
    }

    void windowProperty_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("size only") << "sb_width" << 960 << "{param=WindowResize1/0/0/960/1080}";
        QTest::newRow("input") << "cbb_source" << 2 << "{param=WindowOpen1/3/1/0/0/1920/1080}";
    }
    void windowProperty()
    {
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, expected);
        QVERIFY(start());
        QVERIFY(openWindow());
        mark();
        bool confirmed = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || qobject_cast<MsgDlg *>(dialog))
                return;
            watch.stop();
            if (auto *spin = dialog->findChild<QSpinBox *>(field))
                spin->setValue(value);
            else if (auto *box = dialog->findChild<QComboBox *>(field))
                choose(box, value);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btn_ok")),
                              Qt::LeftButton);
            confirmed = !dialog->isVisible();
        });
        watch.start(10);
        QTimer::singleShot(10000, this, [] {
            if (QWidget *stuck = QApplication::activeModalWidget())
                stuck->close();
        });
        menuEntry(m_canvas->window(1), QStringLiteral("Property"));
        QVERIFY(confirmed);
        QCOMPARE(sent(), expected);
        QCOMPARE(disagreement(), QString());
    }

    void withoutRightsNothingIsSent_data()
    {
        QTest::addColumn<bool>("wallRight");
        QTest::addColumn<bool>("inputRight");
        // Without the wall right the canvas takes no mouse and no drop at all.
        QTest::newRow("no wall right") << false << true;
        QTest::newRow("no right to the input") << true << false;
    }
    void withoutRightsNothingIsSent()
    {
        QFETCH(bool, wallRight);
        QFETCH(bool, inputRight);
        QVERIFY(start(QStringLiteral("operator")));
        const int id = addOperator(QStringLiteral("operator"));
        QVERIFY(id > 1);
        QList<bool> inputs;
        for (int i = 1; i <= PermissionList::InputCount; ++i)
            inputs << (inputRight || i != 3);
        QList<bool> functions;
        for (int f = 0; f < PermissionList::FunctionCount; ++f)
            functions << (wallRight || f != SplicingWallFunction);
        QVERIFY(PermissionStore().savePermissions(
            id, PermissionList::join(inputs), PermissionList::allowAll(PermissionList::OutputCount),
            PermissionList::allowAll(PermissionList::AudioCount),
            PermissionList::allowAll(PermissionList::AnalogCount),
            PermissionList::join(functions)));
        QVERIFY(openWindow());
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
        mark();

        drawWindow(3, at(0.4, 0.4), at(0.6, 0.7));
        dropInput(3, at(0.9, 0.9));
        dropInput(3, at(0.1, 0.1));
        QCOMPARE(sent(), QString());
        QCOMPARE(shownWindows(), (Windows{{1, {1, 1, 0, 0, 1920, 1080}}}));
        QCOMPARE(disagreement(), QString());
        QCOMPARE(m_canvas->isEnabled(), wallRight);
        QCOMPARE(
            m_window->findChild<QPushButton *>(QStringLiteral("btn_0409_close_all"))->isEnabled(),
            wallRight);
        // Each refusal of the input is told.
        QCOMPARE(m_messages.size(), wallRight ? 3 : 0);
        for (const QString &message : qAsConst(m_messages))
            QVERIFY2(message.contains(QLatin1String("does not have permission")),
                     qPrintable(message));
    }
};

QTEST_MAIN(TestWallE2E)
#include "tst_wall_e2e.moc"
