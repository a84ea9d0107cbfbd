// The wall canvas against a loopback device: real mouse gestures on real windows and the exact
// window commands they put on the wire; the device's report rebuilding the windows.
#define QTEST_QPA_MOUSE_HANDLING
#include "../protocol/loopbackpeer.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"

#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QWheelEvent>
#include <QtTest>

using namespace WallGeometry;

class TestOutputWidget0409 : public QObject
{
    Q_OBJECT

    LoopbackPeer *m_peer = nullptr;
    std::unique_ptr<OutputWidget0409> m_canvas;
    QStringList m_messages;
    bool m_confirm = true;

    /// What the device received since the last call, fenced by a query.
    QByteArray wire()
    {
        static const QByteArray fence("{param=version}");
        MessageDistance::instance()->getVersion();
        const bool fenced =
            QTest::qWaitFor([&] { return m_peer->received().endsWith(fence); }, 10000);
        const QByteArray got = m_peer->received();
        m_peer->clearReceived();
        return fenced ? got.left(got.size() - fence.size()) : got + "<no fence>";
    }
    bool drop(const QString &text, const QPoint &pos)
    {
        QMimeData mime;
        mime.setText(text);
        mime.setData(QStringLiteral("application/type"), "1");
        QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_canvas.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_canvas.get(), &dropped);
        return dropped.isAccepted();
    }
    /// Windows 1..n, one per cell along the top row and then the next, via drops.
    void dropWindows(int n)
    {
        for (int i = 0; i < n; ++i)
            QVERIFY(drop(QStringLiteral("101"), QPoint(150 + 300 * (i % 3), 150 + 300 * (i / 3))));
        QCOMPARE(m_canvas->windowIds().size(), n);
        wire();
    }
    void report(const QMap<int, QList<int>> &status)
    {
        DeviceState::instance()->setWindowStatus(status);
        m_canvas->onOutputResolutionReady();
        m_canvas->onRotationReady();
        m_canvas->onWindowsReady();
    }
    /// A press on w at from, one move and the release at to on the canvas.
    void gesture(QWidget *w, const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(m_canvas.get(), to);
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, to);
    }
    void triggerMenu(InputSignalWidget0409 *w, const QString &entry)
    {
        QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, QPoint(w->width() / 2, 60));
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        const QPointer<QMenu> open(menu);
        const auto actions = menu->actions();
        for (QAction *a : actions) {
            if (a->text() == entry) {
                a->trigger(); // may run a modal dialog, during which the menu goes
                if (open)
                    open->close();
                return;
            }
        }
        QFAIL(qPrintable(entry + QStringLiteral(" not in the menu")));
    }

private slots:
    void initTestCase()
    {
        m_peer = new LoopbackPeer(0, this);
        MessageDistance::instance()->connectToDevice(QStringLiteral("127.0.0.1"), m_peer->port());
    }
    void init()
    {
        QTRY_VERIFY_WITH_TIMEOUT(MessageDistance::instance()->isConnected(), 15000);
        QTRY_VERIFY(m_peer->hasClient());
        DeviceState *store = DeviceState::instance();
        store->setVirMode(0);
        store->setOutputResolution({{1, QStringLiteral("1920x1080x60Hz")}});
        store->setRotateAngle({});
        store->setWindowStatus({});
        m_messages.clear();
        m_confirm = true;
        m_canvas = std::make_unique<OutputWidget0409>();
        m_canvas->setMessageHook([this](const QString &, const QString &text, bool) {
            m_messages << text;
            return m_confirm;
        });
        m_canvas->resize(900, 900);
        m_canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_canvas.get()));
        m_canvas->resetAndLayout();
        wire();
    }
    void cleanup() { m_canvas.reset(); }

    void dropOnEmptyCanvas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("permitted");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("centre cell") << "101" << QPoint(450, 450) << true
                                     << QByteArray("{param=WindowOpen1/1/1/1920/1080/1920/1080}");
        QTest::newRow("bottom-left cell") << "104" << QPoint(0, 899) << true
                                          << QByteArray("{param=WindowOpen1/4/1/0/2160/1920/1080}");
        QTest::newRow("not an input") << "hello 2" << QPoint(450, 450) << true << QByteArray();
        QTest::newRow("audio input") << "2" << QPoint(450, 450) << true << QByteArray();
        QTest::newRow("input 5") << "105" << QPoint(450, 450) << true << QByteArray();
        QTest::newRow("no right") << "102" << QPoint(450, 450) << false << QByteArray();
    }
    void dropOnEmptyCanvas()
    {
        QFETCH(QString, text);
        QFETCH(QPoint, at);
        QFETCH(bool, permitted);
        QFETCH(QByteArray, sent);
        m_canvas->setPermissionCheck([permitted](int) { return permitted; });
        QSignalSpy warned(m_canvas.get(), &OutputWidget0409::si_showPermissionWarningDialog);
        QCOMPARE(drop(text, at), !sent.isEmpty());
        QCOMPARE(wire(), sent);
        QCOMPARE(m_canvas->windowIds().size(), sent.isEmpty() ? 0 : 1);
        QCOMPARE(warned.count(), permitted ? 0 : 1);
    }

    void windowLimitIdsAndLayers()
    {
        dropWindows(4);
        QVERIFY(drop(QStringLiteral("102"), QPoint(450, 750)));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Not allowed to add more windows")});
        QCOMPARE(wire(), QByteArray());
        // Dropping onto a window gives it the input and opens it again in place.
        QVERIFY(drop(QStringLiteral("103"), QPoint(450, 150)));
        QCOMPARE(wire(), QByteArray("{param=WindowOpen2/3/2/1920/0/1920/1080}"));
        QTest::mouseClick(m_canvas->window(2)->button("btn_close"), Qt::LeftButton);
        QCOMPARE(wire(), QByteArray("{param=WindowClose2}"));
        QVERIFY(drop(QStringLiteral("101"), QPoint(450, 750)));
        QCOMPARE(wire(), QByteArray("{param=WindowOpen2/1/4/1920/2160/1920/1080}"));
        // Layer to Bottom from the top of four: only the window operated on is announced.
        triggerMenu(m_canvas->window(2), QStringLiteral("Layer to Bottom"));
        QCOMPARE(wire(), QByteArray("{param=WindowLayer2/1}"));
        QCOMPARE(m_canvas->window(1)->layer(), 2);
        QCOMPARE(m_canvas->window(4)->layer(), 4);
        triggerMenu(m_canvas->window(3), QStringLiteral("Layer Up"));
        QCOMPARE(wire(), QByteArray("{param=WindowLayer3/4}"));
        // The top window offers no Layer Up.
        triggerMenu(m_canvas->window(3), QStringLiteral("Layer Up"));
        QCOMPARE(wire(), QByteArray());
    }

    void dragResizeAndZoom()
    {
        report({{1, {2, 1, 0, 0, 1920, 1080}}});
        InputSignalWidget0409 *w = m_canvas->window(1);
        QVERIFY(w);
        QCOMPARE(w->geometry(), QRect(0, 0, 300, 300));
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(w->parentWidget(), QPoint(100 + 20 * step, 15 + 10 * step));
        QCOMPARE(wire(), QByteArray()); // nothing while dragging
        // Left edge lands 4 px short of the cell boundary at 300: it snaps.
        QTest::mouseMove(m_canvas.get(), QPoint(396, 115));
        QCOMPARE(w->geometry().topLeft(), QPoint(300, 100));
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(396, 115));
        QCOMPARE(wire(), QByteArray("{param=WindowMove1/1920/360}"));
        // Past the canvas: it stops at the edge.
        gesture(w, QPoint(100, 15), QPoint(899, 899));
        QCOMPARE(w->geometry(), QRect(600, 600, 300, 300));
        QCOMPARE(wire(), QByteArray("{param=WindowMove1/3840/2160}"));
        // Edges: the bottom-right corner dragged far out stops at the canvas.
        report({{1, {2, 1, 1920, 1080, 1920, 1080}}});
        w = m_canvas->window(1);
        gesture(w, QPoint(w->width() - 2, w->height() - 2), QPoint(899, 899));
        QCOMPARE(w->geometry(), QRect(300, 300, 600, 600));
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/1920/1080/3840/2160}"));
        // Left edge dragged past the right one: 50 px remain.
        gesture(w, QPoint(2, 300), QPoint(899, 600));
        QCOMPARE(w->geometry(), QRect(850, 300, 50, 600));
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/5440/1080/320/2160}"));
        report({{1, {1, 1, 2000, 100, 500, 500}}});
        w = m_canvas->window(1);
        triggerMenu(w, QStringLiteral("Zoom to a Single Screen"));
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/1920/0/1920/1080}"));
        QTest::mouseClick(w->button("btn_full"), Qt::LeftButton);
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/0/0/5760/3240}"));
        QTest::mouseClick(w->button("btn_restore"), Qt::LeftButton);
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/2000/100/500/500}"));
        QTest::mouseClick(w->button("btn_stick"), Qt::LeftButton);
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/1920/0/1920/1080}"));
    }

    void gesturesWhileDisconnectedChangeNothing()
    {
        report({{1, {2, 1, 0, 0, 1920, 1080}}});
        InputSignalWidget0409 *w = m_canvas->window(1);
        QSignalSpy refused(MessageDistance::instance(), &MessageDistance::si_commandNotSent);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        QTest::mouseMove(m_canvas.get(), QPoint(500, 500));
        m_peer->dropClient();
        QTRY_VERIFY(!MessageDistance::instance()->isConnected());
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 500));
        QCOMPARE(w->geometry(), QRect(0, 0, 300, 300));
        QTest::mouseClick(w->button("btn_close"), Qt::LeftButton);
        QVERIFY(drop(QStringLiteral("102"), QPoint(750, 750)));
        QCOMPARE(m_canvas->windowIds(), QList<int>{1});
        QCOMPARE(refused.count(), 3); // the operator hears of each
        QCOMPARE(w->currentVirtualRect(), QRect(0, 0, 1920, 1080));
    }

    void rebuildFollowsTheReport()
    {
        report({{0, {0}}, {1, {1, 2, 0, 0, 1920, 1080}}, {3, {3, 1, 1920, 1080, 1920, 1080}}});
        InputSignalWidget0409 *one = m_canvas->window(1);
        InputSignalWidget0409 *three = m_canvas->window(3);
        QVERIFY(one && three);
        QCOMPARE(three->layer(), 1);
        QCOMPARE(three->geometry(), QRect(300, 300, 300, 300));
        // The same report again touches no widget.
        QSignalSpy gone(one, &QObject::destroyed);
        report(DeviceState::instance()->windowStatus());
        QCOMPARE(m_canvas->window(1), one);
        // Input 0 removes; bad entries are ignored or made to fit the wall.
        report({{1, {0, 0, 0, 0, 0, 0}},
                {2, {2, 1, -500, 99999999, 99999999, -5}},
                {3, {3, 1, 0, 0}},
                {5, {1, 1, 0, 0, 100, 100}}});
        QVERIFY(!m_canvas->window(1));
        QCOMPARE(m_canvas->window(2)->currentVirtualRect(), QRect(0, 3239, 5760, 1));
        QCOMPARE(m_canvas->window(3), three);
        QCOMPARE(m_canvas->windowIds(), (QList<int>{2, 3}));
        QTRY_COMPARE(gone.count(), 1);
        QCOMPARE(wire(), QByteArray()); // a rebuild sends nothing
        // A report arriving mid-drag leaves the dragged window under the pointer.
        QTest::mousePress(three, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        QTest::mouseMove(m_canvas.get(), QPoint(450, 350));
        const QRect dragged = three->geometry();
        report({{3, {3, 1, 0, 0, 1920, 1080}}});
        QCOMPARE(three->geometry(), dragged);
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(450, 350));
        QCOMPARE(wire(), QByteArray("{param=WindowMove3/2240/1206}"));
    }

    void badResolutionKeepsTheWallAndTimeoutClearsIt()
    {
        report({{1, {1, 1, 1920, 1080, 1920, 1080}}});
        for (const char *text : {"x", "abcxdef", "99999x99999x60Hz", "1920"}) {
            DeviceState::instance()->setOutputResolution({{1, QString::fromLatin1(text)}});
            report(DeviceState::instance()->windowStatus());
            QCOMPARE(m_canvas->virtualSize(), QSize(5760, 3240));
            QCOMPARE(m_canvas->window(1)->geometry(), QRect(300, 300, 300, 300));
        }
        QTest::mouseClick(m_canvas->window(1)->button("btn_full"), Qt::LeftButton);
        QCOMPARE(wire(), QByteArray("{param=WindowResize1/0/0/5760/3240}"));
        // The device never finishing its report clears the wall.
        m_canvas->resetReceivedFlags();
        m_canvas->scheduleRebuild();
        m_canvas->rebuildFromDevice(); // what the timer does once it runs out
        QVERIFY(m_canvas->windowIds().isEmpty());
        QCOMPARE(m_messages,
                 QStringList{QStringLiteral("Timeout for Reading The last Window status!")});
        QVERIFY(!m_canvas->rebuildPending());
    }

    void canvasZoomAndFit()
    {
        QSignalSpy zoomed(m_canvas.get(), &OutputWidget0409::si_resize);
        QSignalSpy fit(m_canvas.get(), &OutputWidget0409::si_orderToOptimiseSizeVis);
        const auto wheel = [this](int delta, Qt::KeyboardModifiers mods) {
            QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta),
                          Qt::NoButton, mods, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(m_canvas.get(), &e);
            return e.isAccepted();
        };
        QVERIFY(!wheel(120, Qt::NoModifier)); // left to the page to scroll
        QVERIFY(wheel(120, Qt::ControlModifier));
        QCOMPARE(m_canvas->size(), QSize(990, 990));
        QVERIFY(wheel(-120, Qt::ControlModifier));
        m_canvas->zoomOut();
        QCOMPARE(zoomed.count(), 3);
        QCOMPARE(zoomed.at(0).at(0).toDouble(), 1.1);
        QCOMPARE(zoomed.at(2).at(0).toDouble(), 0.9);
        QCOMPARE(m_canvas->size(), QSize(802, 802));
        // A 1x9 wall of outputs turned by a quarter: posted after the handler, from the loop.
        DeviceState::instance()->setVirMode(1);
        DeviceState::instance()->setRotateAngle({{1, 1}});
        m_canvas->updateRealResolution();
        QCOMPARE(fit.count(), 0);
        QTRY_COMPARE(fit.count(), 1);
        QCOMPARE(fit.at(0), (QList<QVariant>{9720, 1920}));
    }

    void canvasResizeKeepsVirtualPlaces()
    {
        report({{1, {1, 1, 0, 0, 1920, 1080}},
                {2, {2, 2, 333, 777, 1111, 999}},
                {3, {3, 3, 4000, 2000, 1760, 1240}},
                {4, {4, 4, 5000, 17, 700, 3000}}});
        for (const QSize &size :
             {QSize(1500, 1500), QSize(0, 0), QSize(613, 377), QSize(900, 900)}) {
            m_canvas->resize(size);
            if (size.isEmpty())
                continue;
            for (int id = 1; id <= 4; ++id) {
                InputSignalWidget0409 *w = m_canvas->window(id);
                const QRectF want =
                    virtualToCanvas(w->currentVirtualRect(), QSize(5760, 3240), size);
                const QRectF got(w->geometry());
                const QPointF d1 = got.topLeft() - want.topLeft(),
                              d2 = got.bottomRight() - want.bottomRight();
                QVERIFY2(qMax(qMax(qAbs(d1.x()), qAbs(d1.y())), qMax(qAbs(d2.x()), qAbs(d2.y()))) <=
                             1,
                         qPrintable(QString::number(id)));
            }
        }
        QCOMPARE(m_canvas->window(2)->currentVirtualRect(), QRect(333, 777, 1111, 999));
    }

    void drawingAWindow_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("down-right") << QPoint(300, 300) << QPoint(599, 449)
                                    << QByteArray("{param=WindowOpen1/3/1/1920/1080/1920/540}");
        QTest::newRow("up-left") << QPoint(600, 600) << QPoint(300, 300) << QByteArray();
        QTest::newRow("too short") << QPoint(300, 300) << QPoint(330, 319) << QByteArray();
    }
    void drawingAWindow()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        m_canvas->setInputNameEntry(3, QStringLiteral("Cam"));
        m_canvas->setCurrentInput(3);
        QTest::mousePress(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(m_canvas.get(), to);
        QCOMPARE(m_canvas->rubberBand().normalized(), QRect(from, to).normalized());
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, to);
        QTEST(wire(), "sent");
        QVERIFY(m_canvas->rubberBand().isNull());
    }

    void lockAndCloseAll()
    {
        dropWindows(2);
        // Lock All pressed while the wall page is hidden still holds when it comes back.
        m_canvas->hide();
        m_canvas->lockAll();
        m_canvas->show();
        InputSignalWidget0409 *w = m_canvas->window(1);
        QVERIFY(w->isLocked());
        gesture(w, QPoint(100, 15), QPoint(600, 600));
        QTest::mouseClick(w->button("btn_close"), Qt::LeftButton);
        m_canvas->closeAll();
        QVERIFY(!drop(QStringLiteral("103"), QPoint(750, 750)));
        QCOMPARE(wire(), QByteArray());
        QCOMPARE(m_canvas->windowIds().size(), 2);
        m_canvas->lockAll();
        m_confirm = false;
        m_canvas->closeAll();
        QCOMPARE(m_canvas->windowIds().size(), 2);
        m_confirm = true;
        m_canvas->closeAll();
        QCOMPARE(m_messages.count(), 2);
        QCOMPARE(wire(), QByteArray("{param=WindowCloseAll}"));
        QVERIFY(m_canvas->windowIds().isEmpty());
    }

    void menuAndDialogOutliveTheirWindow()
    {
        report({{1, {1, 1, 0, 0, 1920, 1080}}});
        InputSignalWidget0409 *w = m_canvas->window(1);
        QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, QPoint(100, 60));
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QPointer<InputSignalWidget0409> old(w);
        report({{1, {0, 0, 0, 0, 0, 0}}});
        QTRY_VERIFY(!old);
        menu->actions().first()->trigger(); // "Close" of a window that is gone
        menu->close();
        QCOMPARE(wire(), QByteArray());
        // The property dialog holds the ID: it applies through the canvas and closes when a
        // report takes its window off the wall.
        report({{1, {1, 1, 0, 0, 1920, 1080}}});
        QByteArray applied;
        bool closed = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            watch.stop();
            dialog->findChild<QSpinBox *>(QStringLiteral("sb_x"))->setValue(1920);
            dialog->findChild<QPushButton *>(QStringLiteral("btn_apply"))->click();
            applied = wire();
            report({{1, {0, 0, 0, 0, 0, 0}}});
            closed = !dialog->isVisible();
        });
        watch.start(10);
        QTimer::singleShot(10000, this, [] {
            if (QWidget *stuck = QApplication::activeModalWidget())
                stuck->close();
        });
        triggerMenu(m_canvas->window(1), QStringLiteral("Property"));
        QCOMPARE(applied, QByteArray("{param=WindowResize1/1920/0/1920/1080}"));
        QVERIFY(closed);
        QVERIFY(m_canvas->windowIds().isEmpty());
    }
};

QTEST_MAIN(TestOutputWidget0409)
#include "tst_outputwidget0409.moc"
