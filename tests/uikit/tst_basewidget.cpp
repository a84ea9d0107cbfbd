#include "uikit/basewidget.h"

#include <QFrame>
#include <QMouseEvent>
#include <QtTest>

namespace {
void sendMouse(QWidget *w, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPoint local = w->mapFromGlobal(global);
    QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void drag(QWidget *w, const QPoint &from, const QPoint &to, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonPress, from, button, button);
    sendMouse(w, QEvent::MouseMove, from + (to - from) / 2, Qt::NoButton, button);
    sendMouse(w, QEvent::MouseMove, to, Qt::NoButton, button);
    sendMouse(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}
} // namespace

class TestBaseWidget : public QObject
{
    Q_OBJECT

private slots:
    void leftDragMovesTheWindowByTheMouseTravel()
    {
        BaseWidget w;
        w.resize(300, 200);
        w.move(100, 80);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint start = w.pos();

        drag(&w, start + QPoint(40, 30), start + QPoint(40 + 25, 30 - 12));
        QCOMPARE(w.pos(), start + QPoint(25, -12));
        QVERIFY(!w.isDragging());

        // After the release, moving the mouse leaves the window alone.
        sendMouse(&w, QEvent::MouseMove, start + QPoint(200, 200), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.pos(), start + QPoint(25, -12));
    }

    void maximisedWindowDoesNotDrag()
    {
        BaseWidget w;
        w.resize(300, 200);
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.isMaximized());
        const QPoint start = w.pos();

        sendMouse(&w, QEvent::MouseButtonPress, start + QPoint(40, 40), Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(!w.isDragging());
        sendMouse(&w, QEvent::MouseMove, start + QPoint(140, 90), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w.pos(), start);
    }

    void panelLeavesShadowMarginWhenNormal_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("typical") << QSize(400, 300);
        QTest::newRow("small") << QSize(100, 80);
        QTest::newRow("smaller than the margins") << QSize(20, 20);
    }

    void panelLeavesShadowMarginWhenNormal()
    {
        QFETCH(QSize, size);
        BaseWidget w;
        w.resize(size);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.panel()->geometry(),
                 QRect(15, 15, qMax(0, size.width() - 30), qMax(0, size.height() - 30)));
        QVERIFY(w.panel()->styleSheet().contains(QLatin1String("border-radius: 10px")));
    }

    void maximisedPanelFillsTheWindowWithoutRounding()
    {
        BaseWidget w;
        w.resize(400, 300);
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.isMaximized());
        QTRY_COMPARE(w.panel()->geometry(), QRect(QPoint(0, 0), w.size()));
        QVERIFY(!w.panel()->styleSheet().contains(QLatin1String("border-radius")));

        w.showNormal();
        QTRY_VERIFY(!w.isMaximized());
        QTRY_COMPARE(w.panel()->pos(), QPoint(15, 15));
        QVERIFY(w.panel()->styleSheet().contains(QLatin1String("border-radius")));
    }

};

QTEST_MAIN(TestBaseWidget)
#include "tst_basewidget.moc"
