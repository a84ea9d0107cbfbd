#include "uikit/switchcontrol.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {
void release(QWidget *w, Qt::MouseButton button)
{
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent event(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos.toPoint()), button,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Drives the animation tick by tick; returns the number of one-pixel moves until it stopped.
int runTicks(SwitchControl &sw, QSignalSpy &after, int limit = 1000)
{
    int moves = 0;
    while (after.isEmpty() && moves <= limit) {
        const qreal before = sw.thumbX();
        sw.onTimeout();
        if (after.isEmpty()) {
            if (qAbs(sw.thumbX() - before) != 1.0)
                return -1;
            ++moves;
        }
    }
    return moves;
}
} // namespace

class TestSwitchControl : public QObject
{
    Q_OBJECT

private slots:

    void clickSlidesThumbOnePixelPerTick_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("minimum width") << 38;
        QTest::newRow("wide") << 60;
    }

    void clickSlidesThumbOnePixelPerTick()
    {
        QFETCH(int, width);
        SwitchControl sw;
        sw.resize(width, 22);
        QCOMPARE(sw.thumbX(), 8.0);
        QCOMPARE(sw.thumbY(), 8.0);

        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        release(&sw, Qt::LeftButton);

        // toggled comes at the click, before any tick.
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(toggled.at(0).at(0).toBool(), true);
        QVERIFY(sw.isToggled());
        QVERIFY(sw.isAnimating());
        QVERIFY(after.isEmpty());

        QCOMPARE(runTicks(sw, after), width - 16 - 8);
        QCOMPARE(sw.thumbX(), qreal(width - 16));
        QCOMPARE(after.count(), 1);
        QCOMPARE(after.at(0).at(0).toBool(), true);
        QVERIFY(!sw.isAnimating());

        // And back again.
        release(&sw, Qt::LeftButton);
        QCOMPARE(toggled.count(), 2);
        QCOMPARE(toggled.at(1).at(0).toBool(), false);
        after.clear();
        QCOMPARE(runTicks(sw, after), width - 16 - 8);
        QCOMPARE(sw.thumbX(), 8.0);
        QCOMPARE(after.at(0).at(0).toBool(), false);
    }

    void reversingMidwayTurnsBackFromWhereItIs()
    {
        SwitchControl sw;
        sw.resize(60, 22);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        release(&sw, Qt::LeftButton);
        for (int i = 0; i < 10; ++i)
            sw.onTimeout();
        QCOMPARE(sw.thumbX(), 18.0);
        release(&sw, Qt::LeftButton);
        QCOMPARE(runTicks(sw, after), 10);
        QCOMPARE(after.count(), 1);
        QCOMPARE(after.at(0).at(0).toBool(), false);
    }

    void ignoredReleases_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("button");
        QTest::newRow("right button") << true << int(Qt::RightButton);
        QTest::newRow("middle button") << true << int(Qt::MiddleButton);
        QTest::newRow("disabled, left button") << false << int(Qt::LeftButton);
    }

    void ignoredReleases()
    {
        QFETCH(bool, enabled);
        QFETCH(int, button);
        SwitchControl sw;
        sw.resize(38, 22);
        sw.setEnabled(enabled);
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        release(&sw, Qt::MouseButton(button));
        QVERIFY(toggled.isEmpty());
        QVERIFY(!sw.isToggled());
        QVERIFY(!sw.isAnimating());
    }

    void setToggledAnimatesWithoutClickSignal()
    {
        SwitchControl sw;
        sw.resize(40, 22);
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        sw.setToggled(true);
        QVERIFY(sw.isToggled());
        QCOMPARE(runTicks(sw, after), 40 - 16 - 8);
        QVERIFY(toggled.isEmpty());

        // Setting the state it already has still reports the end of the (empty) animation.
        after.clear();
        sw.setToggled(true);
        QCOMPARE(runTicks(sw, after), 0);
        QCOMPARE(after.count(), 1);
    }

    void resizeKeepsThumbAtTheStateEnd()
    {
        // Shown, so that every resize is delivered at once as it is under a layout.
        SwitchControl sw;
        sw.resize(38, 22);
        sw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sw));
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        sw.setToggled(true);
        runTicks(sw, after);
        sw.resize(70, 22);
        QCOMPARE(sw.thumbX(), 54.0);
        sw.setToggled(false);
        after.clear();
        runTicks(sw, after);
        sw.resize(50, 22);
        QCOMPARE(sw.thumbX(), 8.0);
    }
};

QTEST_MAIN(TestSwitchControl)
#include "tst_switchcontrol.moc"
