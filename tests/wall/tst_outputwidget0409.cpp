// The wall canvas against a loopback device: gestures, the commands they send, report rebuilds.
#define QTEST_QPA_MOUSE_HANDLING
#include "../common/look.h"
#include "../common/modalwatcher.h"
#include "walltestkit.h"

#include "state/devicestate.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"

#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

class TestOutputWidget0409 : public QObject
{
    Q_OBJECT

    LoopbackLink m_link;
    std::unique_ptr<OutputWidget0409> m_canvas;
    QStringList m_messages;

    QString wire() { return m_link.received(); }
    bool drop(const QString &text, const QPoint &at, bool typed = true)
    {
        return dropText(m_canvas.get(), text, at, typed);
    }
    void report(const QMap<int, QList<int>> &status)
    {
        DeviceState::instance()->setWindowStatus(status);
        m_canvas->onOutputResolutionReady();
        m_canvas->onRotationReady();
        m_canvas->onWindowsReady();
    }

private slots:
    void init()
    {
        QVERIFY(m_link.connect());
        DeviceState *store = DeviceState::instance();
        store->setOutputResolution({{1, QStringLiteral("1920x1080x60Hz")}});
        store->setWindowStatus({});
        m_messages.clear();
        m_canvas = std::make_unique<OutputWidget0409>();
        m_canvas->setMessageHook([this](const QString &, const QString &text, bool) {
            m_messages << text;
            return true;
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
        QTest::addColumn<QString>("sent");
        // clang-format off
        QTest::newRow("centre cell")      << "101" << QPoint(450, 450) << "{param=WindowOpen1/1/1/1920/1080/1920/1080}";
        QTest::newRow("bottom-left cell") << "104" << QPoint(0, 899)   << "{param=WindowOpen1/4/1/0/2160/1920/1080}";
        QTest::newRow("not an input")     << "hello 2" << QPoint(450, 450) << "";
        QTest::newRow("no right")         << "102"     << QPoint(450, 450) << "";
        // clang-format on
    }
    void dropOnEmptyCanvas()
    {
        QFETCH(QString, text);
        QFETCH(QPoint, at);
        QFETCH(QString, sent);
        const bool permitted = text != "102";
        m_canvas->setPermissionCheck([permitted](int) { return permitted; });
        QSignalSpy warned(m_canvas.get(), &OutputWidget0409::si_showPermissionWarningDialog);
        QVERIFY(!drop(text, at, false)); // plain text from another program opens nothing
        QCOMPARE(drop(text, at), !sent.isEmpty());
        QCOMPARE(wire(), sent);
        QCOMPARE(m_canvas->windowIds().size(), sent.isEmpty() ? 0 : 1);
        QCOMPARE(warned.count(), permitted ? 0 : 1);
    }

    void windowLimitAndIds()
    {
        for (int i = 0; i < 4; ++i)
            QVERIFY(drop(QStringLiteral("101"), QPoint(150 + 300 * (i % 3), 150 + 300 * (i / 3))));
        wire();
        QVERIFY(drop(QStringLiteral("102"), QPoint(450, 750)));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Not allowed to add more windows")});
        QVERIFY_LOOK("wall-four-windows.txt", m_canvas.get());
        // Dropping onto a window gives it the input in place; a closed window's ID is reused.
        QVERIFY(drop(QStringLiteral("103"), QPoint(450, 150)));
        QTest::mouseClick(m_canvas->window(2)->button("btn_close"), Qt::LeftButton);
        QVERIFY(drop(QStringLiteral("101"), QPoint(450, 750)));
        QCOMPARE(wire(), QString("{param=WindowOpen2/3/2/1920/0/1920/1080}{param=WindowClose2}"
                                 "{param=WindowOpen2/1/4/1920/2160/1920/1080}"));
    }

    void gesturesWhileDisconnectedChangeNothing()
    {
        report({{1, {2, 1, 0, 0, 1920, 1080}}});
        InputSignalWidget0409 *w = m_canvas->window(1);
        QSignalSpy refused(MessageDistance::instance(), &MessageDistance::si_commandNotSent);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        QTest::mouseMove(m_canvas.get(), QPoint(500, 500));
        QCOMPARE(wire(), QString()); // nothing while dragging
        m_link.peer.dropClient();
        QTRY_VERIFY(!MessageDistance::instance()->isConnected());
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 500));
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
        QVERIFY_LOOK("wall-report.txt", m_canvas.get());
        QSignalSpy gone(one, &QObject::destroyed);
        // Input 0 removes; bad entries are ignored or made to fit the wall.
        report({{1, {0, 0, 0, 0, 0, 0}},
                {2, {2, 1, -500, 99999999, 99999999, -5}},
                {3, {3, 1, 0, 0}},
                {5, {1, 1, 0, 0, 100, 100}}});
        QCOMPARE(m_canvas->window(2)->currentVirtualRect(), QRect(0, 3239, 5760, 1));
        QCOMPARE(m_canvas->window(3), three);
        QCOMPARE(m_canvas->windowIds(), (QList<int>{2, 3}));
        QTRY_COMPARE(gone.count(), 1);
        QCOMPARE(wire(), QString()); // a rebuild sends nothing
        // A report arriving mid-drag leaves the dragged window under the pointer.
        QTest::mousePress(three, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        QTest::mouseMove(m_canvas.get(), QPoint(450, 350));
        const QRect dragged = three->geometry();
        QVERIFY_LOOK("wall-dragging.txt", m_canvas.get());
        report({{3, {3, 1, 0, 0, 1920, 1080}}});
        QCOMPARE(three->geometry(), dragged);
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(450, 350));
        QCOMPARE(wire(), QString("{param=WindowMove3/2240/1206}"));
        // The wall follows the resolution; one that does not parse keeps the wall as it was.
        for (const char *resolution : {"1280x720x60Hz", "abcxdef"}) {
            DeviceState::instance()->setOutputResolution({{1, QString(resolution)}});
            report({{3, {3, 1, 1280, 720, 1280, 720}}});
            QCOMPARE(m_canvas->virtualSize(), QSize(3840, 2160));
        }
        // Windows follow the canvas; an empty canvas on the way loses none of their place.
        m_canvas->resize(0, 0);
        m_canvas->resize(900, 900);
        QCOMPARE(three->geometry(), QRect(300, 300, 300, 300));
        QCOMPARE(three->currentVirtualRect(), QRect(1280, 720, 1280, 720));
    }

    void lockAndCloseAll()
    {
        report({{1, {1, 1, 0, 0, 1920, 1080}}});
        // Lock All pressed while the wall page is hidden still holds when it comes back, also
        // for a window the device opens meanwhile.
        m_canvas->hide();
        m_canvas->lockAll();
        m_canvas->show();
        report({{1, {1, 1, 0, 0, 1920, 1080}}, {3, {3, 2, 0, 1080, 1920, 1080}}});
        QVERIFY(m_canvas->window(3)->isLocked());
        QVERIFY_LOOK("wall-locked.txt", m_canvas.get());
        InputSignalWidget0409 *w = m_canvas->window(1);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 15));
        QTest::mouseMove(m_canvas.get(), QPoint(600, 600));
        QTest::mouseRelease(m_canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(600, 600));
        QTest::mouseClick(w->button("btn_close"), Qt::LeftButton);
        m_canvas->closeAll();
        QVERIFY(!drop(QStringLiteral("103"), QPoint(750, 750)));
        QCOMPARE(wire(), QString());
        m_canvas->lockAll();
        m_canvas->closeAll();
        QCOMPARE(m_messages.count(), 1); // the operator confirmed
        QCOMPARE(wire(), QString("{param=WindowCloseAll}"));
        QVERIFY(m_canvas->windowIds().isEmpty());
    }

    void menuAndDialogOutliveTheirWindow()
    {
        report({{1, {1, 1, 0, 0, 1920, 1080}}});
        QPointer<InputSignalWidget0409> old(m_canvas->window(1));
        QMenu *open = openMenu(old, QPoint(100, 60));
        report({{1, {0, 0, 0, 0, 0, 0}}});
        QTRY_VERIFY(!old);
        open->actions().first()->trigger(); // "Close" of a window that is gone
        open->close();
        QCOMPARE(wire(), QString());
        // The property dialog applies, and closes when a report takes its window off the wall.
        report({{1, {1, 1, 0, 0, 1920, 1080}}});
        QString applied;
        ModalWatcher watcher([&](QDialog *dialog) {
            QTimer::singleShot(10000, dialog, &QWidget::close);
            QVERIFY_LOOK("window-property.txt", dialog);
            dialog->findChild<QSpinBox *>(QStringLiteral("sb_x"))->setValue(1920);
            dialog->findChild<QPushButton *>(QStringLiteral("btn_apply"))->click();
            applied = wire();
            report({{1, {0, 0, 0, 0, 0, 0}}});
            QVERIFY(!dialog->isVisible());
        });
        QVERIFY(menuEntry(m_canvas->window(1), QPoint(100, 60), QStringLiteral("Property")));
        QCOMPARE(applied, QString("{param=WindowResize1/1920/0/1920/1080}"));
        QVERIFY(m_canvas->windowIds().isEmpty());
    }
};

QTEST_MAIN(TestOutputWidget0409)
#include "tst_outputwidget0409.moc"
