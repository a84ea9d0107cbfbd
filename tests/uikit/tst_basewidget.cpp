#include "uikit/basewidget.h"
#include "uikit/framelessdialog.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QVBoxLayout>
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

const QColor ShadowGreen(19, 106, 103);

QImage shot(QWidget *w)
{
    QImage image(w->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w->render(&image);
    return image;
}

int alphaAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

bool isShadowGreen(QRgb pixel)
{
    return qAbs(QColor::fromRgba(qUnpremultiply(pixel)).hue() - ShadowGreen.hue()) <= 3;
}

// The look the window had when its panel carried a graphics effect.
QImage effectLook(const QSize &size)
{
    QWidget window;
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(size);
    auto *panel = new QFrame(&window);
    panel->setObjectName(QStringLiteral("ref"));
    panel->setStyleSheet(QStringLiteral("QFrame#ref{background-color:black;border-radius:10px;}"));
    panel->setGeometry(QRect(QPoint(0, 0), size).adjusted(15, 15, -15, -15));
    auto *effect = new QGraphicsDropShadowEffect;
    effect->setOffset(0, 0);
    effect->setColor(ShadowGreen);
    effect->setBlurRadius(35);
    panel->setGraphicsEffect(effect);
    return shot(&window);
}

// Also notes what it repaints.
class ShadowedDialog : public FramelessDialog
{
public:
    ShadowedDialog()
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(20, 20, 20, 20);
        panel = new QFrame(this);
        layout->addWidget(panel);
        applyShadow(panel, 25);
    }
    QFrame *panel;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted += event->region();
        FramelessDialog::paintEvent(event);
    }
};
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
        // No margin and no rounding: the window's corner is the panel's.
        QCOMPARE(shot(&w).pixel(0, 0), qRgba(0, 0, 0, 255));

        w.showNormal();
        QTRY_VERIFY(!w.isMaximized());
        QTRY_COMPARE(w.panel()->pos(), QPoint(15, 15));
        QVERIFY(w.panel()->styleSheet().contains(QLatin1String("border-radius")));
        const int outside = alphaAt(shot(&w), 0, w.height() / 2);
        QVERIFY(outside > 0 && outside < 255);
    }

    void shadowFadesOutwardInTheGreenOnEverySide()
    {
        BaseWidget w;
        w.resize(400, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage image = shot(&w);

        // From the panel's edge out to the window's: middle of left, right, top, bottom.
        const struct
        {
            QPoint start, step;
        } sides[] = {
            {{14, 150}, {-1, 0}}, {{385, 150}, {1, 0}}, {{200, 14}, {0, -1}}, {{200, 285}, {0, 1}}};
        for (const auto &side : sides) {
            int previous = 256;
            for (int i = 0; i < 15; ++i) {
                const QRgb pixel = image.pixel(side.start + i * side.step);
                QVERIFY(qAlpha(pixel) < previous);
                previous = qAlpha(pixel);
                if (qAlpha(pixel) >= 60)
                    QVERIFY(isShadowGreen(pixel));
            }
            QVERIFY(alphaAt(image, side.start.x(), side.start.y()) > 100);
            QVERIFY(previous < 25);
        }

        // The four corners mirror each other, rounding included; the blur itself rounds a little
        // differently from one side to the other.
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int a = alphaAt(image, x, y);
                QVERIFY(qAbs(a - alphaAt(image, 399 - x, y)) <= 2);
                QVERIFY(qAbs(a - alphaAt(image, x, 299 - y)) <= 2);
                QVERIFY(qAbs(a - alphaAt(image, 399 - x, 299 - y)) <= 2);
            }
        }
        QVERIFY(alphaAt(image, 15, 15) < 255);

        // Repainting a small area where a corner meets a side draws the same pixels there.
        const QRect area(100, 0, 30, 20);
        QImage part(area.size(), QImage::Format_ARGB32_Premultiplied);
        part.fill(Qt::transparent);
        w.render(&part, QPoint(), QRegion(area));
        QCOMPARE(part, image.copy(area));
    }

    void shadowLooksLikeTheGraphicsEffect_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("even") << QSize(400, 300);
        QTest::newRow("odd") << QSize(401, 301);
        QTest::newRow("main window") << QSize(1280, 800);
        QTest::newRow("smaller than the corners") << QSize(100, 80);
    }

    void shadowLooksLikeTheGraphicsEffect()
    {
        QFETCH(QSize, size);
        BaseWidget w;
        w.resize(300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Shown at another size first: the shadow follows the resize.
        shot(&w);
        w.resize(size);
        const QImage expected = effectLook(size);
        const QImage actual = shot(&w);
        int worst = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                worst = qMax(worst, qAbs(alphaAt(actual, x, y) - alphaAt(expected, x, y)));
        }
        QVERIFY2(worst <= 3, qPrintable(QString::number(worst)));
    }

    void framelessDialogShadowFollowsItsPanel()
    {
        ShadowedDialog dlg;
        dlg.resize(300, 200);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTRY_COMPARE(dlg.panel->geometry(), QRect(20, 20, 260, 160));
        QImage image = shot(&dlg);
        for (const QPoint &p :
             {QPoint(19, 100), QPoint(280, 100), QPoint(150, 19), QPoint(150, 180)}) {
            QVERIFY(alphaAt(image, p.x(), p.y()) > 60);
            QVERIFY(isShadowGreen(image.pixel(p)));
        }
        QVERIFY(alphaAt(image, 0, 100) < alphaAt(image, 19, 100));

        // The layout moving the panel repaints the shadow where the panel now is.
        dlg.painted = QRegion();
        dlg.layout()->setContentsMargins(40, 20, 20, 20);
        QTRY_COMPARE(dlg.panel->x(), 40);
        QTRY_VERIFY(dlg.painted.contains(QPoint(17, 100)));
        QVERIFY(alphaAt(shot(&dlg), 39, 100) > 60);
        QCOMPARE(alphaAt(shot(&dlg), 20, 100), alphaAt(image, 0, 100));
    }
};

QTEST_MAIN(TestBaseWidget)
#include "tst_basewidget.moc"
