// The video wall through the whole application against the simulated wall processor: gestures on
// the wall page's real windows, the exact window commands sent, and the device, the canvas and
// its widgets agreeing afterwards; another operator, a slow device, the setting and user rights.
#define QTEST_QPA_MOUSE_HANDLING
#include "../common/look.h"
#include "../common/modalwatcher.h"
#include "../wall/walltestkit.h"
#include "simwindow.h"

#include "state/reportapplier.h"
#include "state/wallgeometry.h"
#include "users/permissionfunction.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"
#include "wall/widgetsplicingsetting.h"

#include <QDebug>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>

using Windows = QMap<int, QList<int>>; // ID -> input, layer, x, y, width, height

namespace {
QString wire(const QRect &r)
{
    return QStringLiteral("%1/%2/%3/%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool near(const QRectF &a, const QRectF &b, double tolerance)
{
    const QRectF d(a.topLeft() - b.topLeft(), a.size() - b.size());
    return qMax(qMax(qAbs(d.x()), qAbs(d.y())), qMax(qAbs(d.width()), qAbs(d.height()))) <=
           tolerance;
}

} // namespace

class TestWallE2E : public SimWindowTest
{
    Q_OBJECT

    OutputWidget0409 *m_canvas = nullptr;
    bool m_confirm = true;

    bool startWall(const QString &user = QStringLiteral("ADMIN"), const QStringList &options = {})
    {
        return start(QStringLiteral("0409-S"), 2, user, options);
    }
    /// The main window, by default once it shows the device's one window.
    bool openWall(bool waitForWall = true)
    {
        m_window = std::make_unique<Widget>();
        m_canvas = m_window->findChild<OutputWidget0409 *>(QStringLiteral("widget_out_0409"));
        m_canvas->setMessageHook([this](const QString &, const QString &text, bool) {
            m_messages << text;
            return m_confirm;
        });
        return !waitForWall ||
               (m_sim->waitForCommand(QStringLiteral("{param=Get_Rotate}")) &&
                QTest::qWaitFor([this] { return m_canvas->windowIds() == QList<int>{1}; }, 5000) &&
                QTest::qWaitForWindowExposed(m_window.get()));
    }

    /// Empty when the device, the canvas and the windows' widgets show the same wall.
    QString disagreement() const
    {
        Windows device = m_sim->windows();
        for (auto it = device.begin(); it != device.end();)
            it = it.value().value(0) == 0 ? device.erase(it) : it + 1;
        Windows shown;
        QString out;
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
        return out;
    }

    QPoint at(double fx, double fy) const
    {
        return QPoint(int(fx * m_canvas->width()), int(fy * m_canvas->height()));
    }
    /// Another operator's command; waits until this window has applied its report.
    void otherClient(const QString &command, const std::function<bool()> &applied)
    {
        QVERIFY(m_sim->sendAsOtherClient(command));
        QVERIFY2(QTest::qWaitFor(applied, 5000), qPrintable(command));
    }
    void menu(InputSignalWidget0409 *w, const QString &text)
    {
        QVERIFY2(menuEntry(w, w->rect().center(), text), qPrintable(text));
    }
    /// Drags from `from` by `delta` in steps, pressed on `w` at `from` (its own coordinates).
    void drag(QWidget *w, const QPoint &from, const QPoint &delta)
    {
        const QPoint start = w->mapTo(m_canvas, from);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(m_canvas, start + delta * step / 4);
        QTest::mouseRelease(m_canvas, Qt::LeftButton, Qt::NoModifier, start + delta);
    }

private slots:
    void init()
    {
        initWindowTest();
        m_confirm = true;
    }
    void cleanup() { cleanupWindowTest(); }

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
        QVERIFY(startWall(admin ? QStringLiteral("ADMIN") : QStringLiteral("operator")));
        QVERIFY(admin || restrictOperator({inputRight ? -1 : 2}, {},
                                          {wallRight ? -1 : SplicingWallFunction}));
        QVERIFY(openWall());
        auto *closeAll = m_window->findChild<QPushButton *>(QStringLiteral("btn_0409_close_all"));
        mark();
        // A rectangle over the middle of the wall, drawn with input 3 chosen in the list.
        QListWidgetItem *item = list()->entry(ListWidget::VideoKind, 3);
        list()->scrollToItem(item);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list()->visualItemRect(item).center());
        drag(m_canvas, at(0.4, 0.4), at(0.6, 0.7) - at(0.4, 0.4));
        if (!admin) {
            dropInput(3, m_canvas, at(0.9, 0.9));
            dropInput(3, m_canvas, at(0.1, 0.1));
            QCOMPARE(sent(), QString());
            QCOMPARE(disagreement(), QString());
            QCOMPARE(m_canvas->isEnabled(), wallRight);
            QCOMPARE(closeAll->isEnabled(), wallRight);
            // Each refusal of the input is told.
            QCOMPARE(m_messages.filter(QStringLiteral("does not have permission")).size(),
                     wallRight ? 3 : 0);
            return;
        }
        // It lands where it was drawn, to two canvas pixels.
        const QRect drawn = m_canvas->window(2)->currentVirtualRect();
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen2/3/2/%1}").arg(wire(drawn)));
        QVERIFY2(near(drawn, QRect(2304, 1296, 1152, 972), 2 * 5760.0 / m_canvas->width() + 1),
                 qPrintable(wire(drawn)));
        // Onto an empty cell: a window of that cell. Onto a window: it shows the input.
        dropInput(2, m_canvas, at(0.9, 0.9));
        dropInput(4, m_canvas, at(0.1, 0.1));
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen3/2/3/3840/2160/1920/1080} "
                                        "{param=WindowOpen1/4/1/0/0/1920/1080}"));
        // Close one by its header; close all only once the operator confirms.
        QTest::mouseClick(m_canvas->window(2)->button("btn_close"), Qt::LeftButton);
        m_confirm = false;
        QTest::mouseClick(closeAll, Qt::LeftButton);
        QCOMPARE(sent(), QStringLiteral("{param=WindowClose2}"));
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
        QVERIFY(startWall() && openWall());
        // The wall asks for its rotation only.
        QCOMPARE(sent(), StartQueries + " {param=Get_Rotate}");
        InputSignalWidget0409 *w = m_canvas->window(1);
        mark();
        // Dropped 4 px short of the next cell boundary: it snaps onto it.
        drag(w, QPoint(w->width() / 3, w->header()->height() / 2),
             QPoint(m_canvas->width() / 3 - 4, 0));
        QCOMPARE(sent(), QStringLiteral("{param=WindowMove1/1920/0}"));
        QCOMPARE(w->cursor().shape(), Qt::OpenHandCursor); // no longer a closed hand
        QCOMPARE(disagreement(), QString());
        // The bottom edge pulled down by half a cell.
        drag(w, QPoint(w->width() / 2, w->height() - 3), QPoint(0, m_canvas->height() / 6));
        const QRect v = w->currentVirtualRect();
        QCOMPARE(sent(), QStringLiteral("{param=WindowResize1/%1}").arg(wire(v)));
        QVERIFY2(near(v, QRect(1920, 0, 1920, 1620), 2 * 3240.0 / m_canvas->height() + 1),
                 qPrintable(wire(v)));
        // Another operator's rotation, opening and closing: the canvas follows the device.
        QSignalSpy rotation(m_window->reports(), &ReportApplier::rotationReported);
        otherClient(QStringLiteral("{param=Rotate5/0}"), [&] { return !rotation.isEmpty(); });
        QCOMPARE(disagreement(), QString());
        otherClient(QStringLiteral("{param=WindowOpen4/2/2/100/200/3000/1500}"),
                    [this] { return m_canvas->window(4); });
        const QPointer<InputSignalWidget0409> one = w;
        otherClient(QStringLiteral("{param=WindowClose1}"),
                    [this] { return !m_canvas->window(1); });
        QTRY_VERIFY(!one);
        QCOMPARE(disagreement(), QString());
        QCOMPARE(sent(), QString());
    }

    void windowMenuAndButtons()
    {
        QVERIFY(startWall() && openWall());
        // Another operator spreads window 1 over four screens and opens 2 and 3 above it.
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
                menu(w, QString::fromLatin1(step[0]));
            QCOMPARE(sent(), QString::fromLatin1(step[1]));
            QCOMPARE(disagreement(), QString());
            // Drawn bottom to top in layer order.
            QVERIFY_LOOK(QStringLiteral("wall-step-%1.txt").arg(&step - script), m_canvas);
        }
    }

    // A new input chosen in the window's property dialog opens the window again with it.
    void windowPropertyChangesTheInput()
    {
        QVERIFY(startWall() && openWall());
        mark();
        ModalWatcher watcher([&](QDialog *dialog) {
            QTimer::singleShot(10000, dialog, &QWidget::close);
            choose(dialog->findChild<QComboBox *>(QStringLiteral("cbb_source")), 2);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btn_ok")),
                              Qt::LeftButton);
        });
        menu(m_canvas->window(1), QStringLiteral("Property"));
        QCOMPARE(watcher.count(), 1);
        QCOMPARE(sent(), QStringLiteral("{param=WindowOpen1/3/1/0/0/1920/1080}"));
        QCOMPARE(disagreement(), QString());
    }

    void slowDeviceTimesOut()
    {
        // Every answer takes longer than the wall waits for its three reports.
        QVERIFY(startWall(QStringLiteral("ADMIN"), {QStringLiteral("--latency"), "6000"}));
        QVERIFY(openWall(false));
        QTRY_COMPARE_WITH_TIMEOUT(
            m_messages, QStringList{QStringLiteral("Timeout for Reading The last Window status!")},
            20000);
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
        QTest::newRow("rotated a quarter")
            << "cbb_rotate" << 1 << "{param=Rotate1/1}" << QSize(3240, 5760) << QSize(1080, 1920);
    }
    void splicingSetting()
    {
        QFETCH(QString, box);
        QFETCH(int, index);
        QFETCH(QSize, wall);
        QVERIFY(startWall() && openWall());
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
        QFETCH(QString, command);
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
        QFETCH(QSize, screen);
        menu(m_canvas->window(1), QStringLiteral("Zoom to a Single Screen"));
        QTest::mouseClick(m_canvas->window(1)->button("btn_full"), Qt::LeftButton);
        const QString zoom = QStringLiteral("{param=WindowResize1/0/0/%1/%2}");
        QCOMPARE(sent(), zoom.arg(screen.width()).arg(screen.height()) + QLatin1Char(' ') +
                             zoom.arg(wall.width()).arg(wall.height()));
        QCOMPARE(disagreement(), QString());
    }
};

QTEST_MAIN(TestWallE2E)
#include "tst_wall_e2e.moc"
