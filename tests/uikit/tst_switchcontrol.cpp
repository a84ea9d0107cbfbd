#include "uikit/switchcontrol.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {
void release(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent event(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos.toPoint()), button,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Drives the animation tick by tick; returns the number of one-pixel moves until it stopped.
int runTicks(SwitchControl &sw, QSignalSpy &after)
{
    int moves = 0;
    while (after.isEmpty() && moves <= 1000) {
        const qreal before = sw.thumbX();
        sw.onTimeout();
        if (after.isEmpty() && qAbs(sw.thumbX() - before) != 1.0)
            return -1;
        moves += after.isEmpty();
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
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        for (const bool on : {true, false}) {
            after.clear();
            release(&sw);
            // toggled comes at the click, before any tick.
            QCOMPARE(toggled.takeFirst().at(0).toBool(), on);
            QVERIFY(sw.isAnimating());
            QVERIFY(after.isEmpty());
            QCOMPARE(runTicks(sw, after), width - 16 - 8);
            QCOMPARE(sw.thumbX(), on ? qreal(width - 16) : 8.0);
            QCOMPARE(after, QList<QVariantList>{{on}});
            QVERIFY(!sw.isAnimating());
        }
        QVERIFY(toggled.isEmpty());
    }

    void reversingMidwayTurnsBackFromWhereItIs()
    {
        SwitchControl sw;
        sw.resize(60, 22);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        release(&sw);
        for (int i = 0; i < 10; ++i)
            sw.onTimeout();
        QCOMPARE(sw.thumbX(), 18.0);
        release(&sw);
        QCOMPARE(runTicks(sw, after), 10);
        QCOMPARE(after, QList<QVariantList>{{false}});
    }

    void ignoredReleases()
    {
        SwitchControl sw;
        sw.resize(38, 22);
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        release(&sw, Qt::RightButton);
        release(&sw, Qt::MiddleButton);
        sw.setEnabled(false);
        release(&sw);
        QVERIFY(toggled.isEmpty());
        QVERIFY(!sw.isToggled());
        QVERIFY(!sw.isAnimating());
    }

    void setToggledAnimatesQuietlyAndResizeKeepsTheThumbAtItsEnd()
    {
        // Shown, so that every resize is delivered at once as it is under a layout.
        SwitchControl sw;
        sw.resize(40, 22);
        sw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sw));
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        sw.setToggled(true);
        QCOMPARE(runTicks(sw, after), 40 - 16 - 8);
        QVERIFY(toggled.isEmpty());

        // Setting the state it already has still reports the end of the (empty) animation.
        after.clear();
        sw.setToggled(true);
        QCOMPARE(runTicks(sw, after), 0);
        QCOMPARE(after.count(), 1);

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
