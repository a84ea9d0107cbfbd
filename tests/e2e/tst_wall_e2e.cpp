// The video wall through the whole application against the simulated wall processor: mouse
// gestures on the wall page's real windows, the exact window commands on the wire, and the
// device, the canvas and its widgets agreeing afterwards; reports from another operator and a
// device too slow to report; the splicing setting and user rights.
#define QTEST_QPA_MOUSE_HANDLING
#include "../common/windowstart.h"
#include "simprocess.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
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
#include <QDebug>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

using Windows = QMap<int, QList<int>>; // ID -> input, layer, x, y, width, height

namespace {
// Ignored by the device; marks the end of what the application sent before it.
const QString Fence = QStringLiteral("{param=fence}");

/// "x/y/width/height", as window commands carry a rectangle.
QString wire(const QRect &r)
{
    return QStringLiteral("%1/%2/%3/%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

/// The origin and the sides of `a` each within `tolerance` of those of `b`.
bool near(const QRectF &a, const QRectF &b, double tolerance)
{
    const QRectF d(a.topLeft() - b.topLeft(), a.size() - b.size());
    return qMax(qMax(qAbs(d.x()), qAbs(d.y())), qMax(qAbs(d.width()), qAbs(d.height()))) <=
           tolerance;
}

/// Chooses entry `index` of `box` with the keyboard, as the operator does.
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

    /// The wall simulator and a login-free start against it.
    bool start(const QString &userName = QStringLiteral("ADMIN"), const QStringList &options = {})
    {
        if (!m_sim->start(QStringLiteral("0409-S"), 0, options))
            return false;
        prepareLoginFreeStart(m_dataDir->path(), m_sim->controlPort());
        AppSettings::instance()->setUserName(userName);
        AppSettings::instance()->setType(2);
        return true;
    }
    /// The main window, by default once it shows the device's one window.
    bool openWindow(bool waitForWall = true)
    {
        m_window = std::make_unique<Widget>();
        m_canvas = m_window->findChild<OutputWidget0409 *>(QStringLiteral("widget_out_0409"));
        if (!m_canvas)
            return false;
        m_canvas->setMessageHook([this](const QString &, const QString &text, bool) {
            m_messages << text;
            return m_confirm;
        });
        return !waitForWall ||
               (m_sim->waitForCommand(QStringLiteral("{param=Get_Rotate}")) &&
                QTest::qWaitFor([this] { return m_canvas->windowIds() == QList<int>{1}; }, 5000) &&
                QTest::qWaitForWindowExposed(m_window.get()));
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

    /// Empty when the device, the canvas and the windows' widgets show the same wall; otherwise
    /// what differs.
    QString disagreement() const
    {
        Windows device = m_sim->wall().windows;
        for (auto it = device.begin(); it != device.end();)
            it = it.value().value(0) == 0 ? device.erase(it) : it + 1;
        Windows shown;
        QString out;
        {
            QDebug d(&out);
            for (int id : m_canvas->windowIds()) {
                const InputSignalWidget0409 *w = m_canvas->window(id);
                const QRect v = w->currentVirtualRect();
                shown.insert(id, {w->input(), w->layer(), v.x(), v.y(), v.width(), v.height()});
                const QRectF want =
                    WallGeometry::virtualToCanvas(v, m_canvas->virtualSize(), m_canvas->size());
                if (!w->isVisible() || !near(w->geometry(), want, 1))
                    d << "window" << id << "drawn at" << w->geometry();
            }
            if (device != shown)
                d << "device" << device << "canvas" << shown;
        }
        return out;
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
    /// Right click on the window and the entry `text` of its menu.
    void menuEntry(InputSignalWidget0409 *w, const QString &text)
    {
        QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, w->rect().center());
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        const QList<QAction *> actions = menu->actions();
        const auto it = std::find_if(actions.cbegin(), actions.cend(),
                                     [&text](QAction *a) { return a->text() == text; });
        QVERIFY2(it != actions.cend(), qPrintable(text));
        const QPointer<QMenu> open(menu);
        (*it)->trigger(); // may run a modal dialog, during which the menu goes
        if (open)
            open->close();
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

    void drawDropAndClose_data()
    {
        QTest::addColumn<bool>("wallRight");
        QTest::addColumn<bool>("inputRight");
        QTest::newRow("all rights") << true << true;
        // Without the wall right the canvas takes no mouse and no drop at all.
        QTest::newRow("no wall right") << false << true;
        QTest::newRow("no right to the input") << true << false;
    }
    void drawDropAndClose()
    {
        QFETCH(bool, wallRight);
        QFETCH(bool, inputRight);
        const bool admin = wallRight && inputRight;
        QVERIFY(start(admin ? QStringLiteral("ADMIN") : QStringLiteral("operator")));
        if (!admin) {
            const int id = addOperator(QStringLiteral("operator"));
            QList<bool> inputs;
            QList<bool> functions;
            for (int i = 1; i <= PermissionList::InputCount; ++i)
                inputs << (inputRight || i != 3);
            for (int f = 0; f < PermissionList::FunctionCount; ++f)
                functions << (wallRight || f != SplicingWallFunction);
            QVERIFY(id > 1 && PermissionStore().savePermissions(
                                  id, PermissionList::join(inputs),
                                  PermissionList::allowAll(PermissionList::OutputCount),
                                  PermissionList::allowAll(PermissionList::AudioCount),
                                  PermissionList::allowAll(PermissionList::AnalogCount),
                                  PermissionList::join(functions)));
        }
        QVERIFY(openWindow());
        auto *closeAll = m_window->findChild<QPushButton *>(QStringLiteral("btn_0409_close_all"));
        mark();
        // A rectangle over the middle of the wall, drawn with input 3 chosen in the list.
        auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
        QListWidgetItem *item = list->entry(ListWidget::VideoKind, 3);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(item).center());
        QCOMPARE(m_canvas->currentInput(), 3);
        const QPoint from = at(0.4, 0.4);
        QTest::mousePress(m_canvas, Qt::LeftButton, Qt::NoModifier, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(m_canvas, from + (at(0.6, 0.7) - from) * step / 4);
        QTest::mouseRelease(m_canvas, Qt::LeftButton, Qt::NoModifier, at(0.6, 0.7));
        if (!admin) {
            QCOMPARE(AppSettings::instance()->currentUserType(), 1);
            dropInput(3, at(0.9, 0.9));
            dropInput(3, at(0.1, 0.1));
            QCOMPARE(sent(), QString());
            QCOMPARE(m_canvas->windowIds(), QList<int>{1});
            QCOMPARE(disagreement(), QString());
            QCOMPARE(m_canvas->isEnabled(), wallRight);
            QCOMPARE(closeAll->isEnabled(), wallRight);
            // Each refusal of the input is told.
            QCOMPARE(m_messages.filter(QStringLiteral("does not have permission")).size(),
                     wallRight ? 3 : 0);
            return;
        }
        // It lands where it was drawn, to two canvas pixels.
        QVERIFY(m_canvas->window(2));
        const QRect drawn = m_canvas->window(2)->currentVirtualRect();
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen2/3/2/%1}").arg(wire(drawn)));
        QVERIFY2(near(drawn, QRect(2304, 1296, 1152, 972), 2 * 5760.0 / m_canvas->width() + 1),
                 qPrintable(wire(drawn)));
        // Onto an empty cell: a window of that cell. Onto a window: it shows the input.
        dropInput(2, at(0.9, 0.9));
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen3/2/3/3840/2160/1920/1080}"));
        dropInput(4, at(0.1, 0.1));
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen1/4/1/0/0/1920/1080}"));
        QCOMPARE(m_canvas->windowIds(), (QList<int>{1, 2, 3}));
        // Close one by its header; close all only once the operator confirms.
        QTest::mouseClick(m_canvas->window(2)->button("btn_close"), Qt::LeftButton);
        QCOMPARE(sent(), QStringLiteral("{param=WindowClose2}"));
        m_confirm = false;
        QTest::mouseClick(closeAll, Qt::LeftButton);
        QCOMPARE(sent(), QString());
        QCOMPARE(m_canvas->windowIds(), (QList<int>{1, 3}));
        QCOMPARE(disagreement(), QString());
        m_confirm = true;
        QTest::mouseClick(closeAll, Qt::LeftButton);
        QCOMPARE(sent(), QStringLiteral("{param=WindowCloseAll}"));
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(m_canvas->windowIds().isEmpty());
        QCOMPARE(disagreement(), QString());
    }

    void gesturesAndReportsOfAnotherOperator()
    {
        QVERIFY(start() && openWindow());
        InputSignalWidget0409 *w = m_canvas->window(1);
        mark();
        // Dropped 4 px short of the next cell boundary: it snaps onto it.
        drag(w, QPoint(w->width() / 3, w->header()->height() / 2),
             QPoint(m_canvas->width() / 3 - 4, 0));
        QCOMPARE(sent(), QStringLiteral("{param=WindowMove1/1920/0}"));
        QCOMPARE(disagreement(), QString());
        // The bottom edge pulled down by half a cell.
        drag(w, QPoint(w->width() / 2, w->height() - 3), QPoint(0, m_canvas->height() / 6));
        const QRect v = w->currentVirtualRect();
        QCOMPARE(sent(), QStringLiteral("{param=WindowResize1/%1}").arg(wire(v)));
        QVERIFY2(near(v, QRect(1920, 0, 1920, 1620), 2 * 3240.0 / m_canvas->height() + 1),
                 qPrintable(wire(v)));
        // Another operator's rotation report: the canvas still shows what the device has.
        QSignalSpy rotation(m_window.get(), &Widget::si_rotate_degree_ready);
        otherClient(QStringLiteral("{param=Rotate5/0}"),
                    [&rotation] { return !rotation.isEmpty(); });
        QCOMPARE(disagreement(), QString());
        QCOMPARE(sent(), QString());
        // Opened and closed elsewhere: the canvas follows the device.
        otherClient(QStringLiteral("{param=WindowOpen4/2/2/100/200/3000/1500}"),
                    [this] { return m_canvas->window(4); });
        const QPointer<InputSignalWidget0409> one = w;
        otherClient(QStringLiteral("{param=WindowClose1}"),
                    [this] { return !m_canvas->window(1); });
        QTRY_VERIFY(!one);
        QCOMPARE(m_canvas->window(4)->layer(), 1);
        QCOMPARE(disagreement(), QString());
    }

    void windowMenuAndButtons()
    {
        QVERIFY(start() && openWindow());
        // Another operator spreads window 1 over four screens and opens 2 and 3 below it, so
        // that they are layered 1, 2, 3 from the bottom.
        otherClient(QStringLiteral("{param=WindowResize1/1800/1000/400/200}"), [this] {
            return m_canvas->window(1)->currentVirtualRect() == QRect(1800, 1000, 400, 200);
        });
        otherClient(QStringLiteral("{param=WindowOpen2/2/2/0/2160/1920/1080}"),
                    [this] { return m_canvas->window(2); });
        otherClient(QStringLiteral("{param=WindowOpen3/3/3/1920/2160/1920/1080}"),
                    [this] { return m_canvas->window(3); });
        const char *const script[][2] = {
            {"Layer Down", ""}, // already at the bottom
            {"Layer Up", "{param=WindowLayer1/2}"},
            {"Layer to Top", "{param=WindowLayer1/3}"},
            {"Layer Up", "{param=WindowLayer1/3}"}, // the top of three, not of four
            {"Layer Down", "{param=WindowLayer1/2}"},
            {"Layer to Bottom", "{param=WindowLayer1/1}"},
            {"Zoom to a Single Screen", "{param=WindowResize1/0/0/1920/1080}"},
            {"btn_restore", "{param=WindowResize1/1800/1000/400/200}"},
            {"Zoom to the Occupied Screens", "{param=WindowResize1/0/0/3840/2160}"},
            {"btn_full", "{param=WindowResize1/0/0/5760/3240}"},
            {"btn_restore", "{param=WindowResize1/1800/1000/400/200}"},
            {"btn_stick", "{param=WindowResize1/0/0/3840/2160}"},
        };
        mark();
        for (const auto &step : script) {
            InputSignalWidget0409 *w = m_canvas->window(1);
            if (qstrncmp(step[0], "btn_", 4) == 0)
                QTest::mouseClick(w->button(step[0]), Qt::LeftButton);
            else
                menuEntry(w, QString::fromLatin1(step[0]));
            QCOMPARE(sent(), QString::fromLatin1(step[1]));
            QCOMPARE(disagreement(), QString());
            // Drawn bottom to top in layer order.
            const QList<InputSignalWidget0409 *> stacked =
                m_canvas->findChildren<InputSignalWidget0409 *>(QString(),
                                                                Qt::FindDirectChildrenOnly);
            for (int i = 0; i < stacked.size(); ++i)
                QCOMPARE(stacked.at(i)->layer(), i + 1);
        }
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
        QVERIFY(start() && openWindow());
        mark();
        bool confirmed = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || qobject_cast<MsgDlg *>(dialog))
                return;
            watch.stop();
            QTimer::singleShot(10000, dialog, &QWidget::close);
            if (auto *spin = dialog->findChild<QSpinBox *>(field))
                spin->setValue(value);
            else
                choose(dialog->findChild<QComboBox *>(field), value);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btn_ok")),
                              Qt::LeftButton);
            confirmed = !dialog->isVisible();
        });
        watch.start(10);
        menuEntry(m_canvas->window(1), QStringLiteral("Property"));
        QVERIFY(confirmed);
        QTEST(sent(), "expected");
        QCOMPARE(disagreement(), QString());
    }

    void slowDeviceTimesOut()
    {
        // Every answer takes longer than the wall waits for its three reports.
        QVERIFY(
            start(QStringLiteral("ADMIN"), {QStringLiteral("--latency"), QStringLiteral("6000")}));
        QVERIFY(openWindow(false));
        QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=Get_Rotate}"), 0, 15000));
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
        QTest::addColumn<QString>("zooms");
        QTest::newRow("layout 2x4")
            << "cbb_layout" << 2 << "{param=VIR2}" << QSize(7680, 2160)
            << "{param=WindowResize1/0/0/1920/1080} {param=WindowResize1/0/0/7680/2160}";
        QTest::newRow("resolution 1280x720")
            << "cbb_resolu" << 2 << "{param=Port1/1280x720x60Hz!}" << QSize(3840, 2160)
            << "{param=WindowResize1/0/0/1280/720} {param=WindowResize1/0/0/3840/2160}";
        QTest::newRow("rotated a quarter")
            << "cbb_rotate" << 1 << "{param=Rotate1/1}" << QSize(3240, 5760)
            << "{param=WindowResize1/0/0/1080/1920} {param=WindowResize1/0/0/3240/5760}";
    }
    void splicingSetting()
    {
        QFETCH(QString, box);
        QFETCH(int, index);
        QFETCH(QString, command);
        QFETCH(QSize, wall);
        QVERIFY(start() && openWindow());
        mark();
        // The setting runs its own modal loop: choose in it and close it, or give up after 10 s.
        QTimer::singleShot(0, this, [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *setting = qobject_cast<WidgetSplicingSetting *>(top);
                if (setting && setting->isVisible()) {
                    QTimer::singleShot(10000, setting, &QWidget::close);
                    choose(setting->findChild<QComboBox *>(box), index);
                    QTest::mouseClick(
                        setting->findChild<QPushButton *>(QStringLiteral("btn_close")),
                        Qt::LeftButton);
                }
            }
        });
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("btn_splicing_set")),
                          Qt::LeftButton);
        // Closed, the setting asks the device for the wall again.
        QCOMPARE(sent(), QStringLiteral("{param=Get_Noinput1} %1 {param=status} {param=resolution} "
                                        "{param=Get_Rotate}")
                             .arg(command));
        QTRY_VERIFY(m_canvas->windowsReceived() && m_canvas->resolutionReceived() &&
                    m_canvas->rotationReceived());
        QCOMPARE(m_canvas->virtualSize(), wall);
        // The canvas keeps the wall's shape, and its windows their place on the device.
        QVERIFY(qAbs(double(m_canvas->width()) / m_canvas->height() -
                     double(wall.width()) / wall.height()) < 0.02);
        QCOMPARE(disagreement(), QString());
        // Window commands now speak the new wall: one screen, then all of it.
        InputSignalWidget0409 *w = m_canvas->window(1);
        menuEntry(w, QStringLiteral("Zoom to a Single Screen"));
        QTest::mouseClick(w->button("btn_full"), Qt::LeftButton);
        QTEST(sent(), "zooms");
        QCOMPARE(disagreement(), QString());
    }
};

QTEST_MAIN(TestWallE2E)
#include "tst_wall_e2e.moc"
