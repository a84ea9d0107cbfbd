#include "uikit/basewidget.h"
#include "uikit/framelessdialog.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// A left-button press, move (with the button held) or release at a point on the screen.
void mouse(QWidget *w, QEvent::Type type, const QPoint &global)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, w->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

const QColor ShadowGreen(19, 106, 103);

QImage shot(QWidget *w)
{
    QImage image(w->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w->render(&image);
    return image;
}

bool showAt(QWidget *w, const QSize &size)
{
    w->resize(size);
    w->show();
    return QTest::qWaitForWindowExposed(w);
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
    void leftDragMovesTheWindowByTheMouseTravel_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("base widget") << false;
        QTest::newRow("frameless dialog") << true;
    }

    void leftDragMovesTheWindowByTheMouseTravel()
    {
        QFETCH(bool, dialog);
        QScopedPointer<QWidget> w(dialog ? static_cast<QWidget *>(new ShadowedDialog)
                                         : new BaseWidget);
        w->move(100, 80);
        QVERIFY(showAt(w.data(), QSize(300, 200)));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        const QPoint start = w->pos();

        mouse(w.data(), QEvent::MouseButtonPress, start + QPoint(40, 30));
        mouse(w.data(), QEvent::MouseMove, start + QPoint(52, 24));
        mouse(w.data(), QEvent::MouseMove, start + QPoint(65, 18));
        QCOMPARE(w->pos(), start + QPoint(25, -12));
        // After the release, even a move with the button held leaves the window alone.
        mouse(w.data(), QEvent::MouseButtonRelease, start + QPoint(65, 18));
        mouse(w.data(), QEvent::MouseMove, start + QPoint(200, 200));
        QCOMPARE(w->pos(), start + QPoint(25, -12));
    }

    void maximisedWindowFillsWithoutRoundingAndDoesNotDrag()
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
        const QPoint start = w.pos();
        mouse(&w, QEvent::MouseButtonPress, start + QPoint(40, 40));
        mouse(&w, QEvent::MouseMove, start + QPoint(140, 90));
        QCOMPARE(w.pos(), start);

        w.showNormal();
        QTRY_VERIFY(!w.isMaximized());
        QTRY_COMPARE(w.panel()->pos(), QPoint(15, 15));
        QVERIFY(w.panel()->styleSheet().contains(QLatin1String("border-radius")));
        const int outside = alphaAt(shot(&w), 0, w.height() / 2);
        QVERIFY(outside > 0 && outside < 255);
    }

    void shadowLooksLikeTheGraphicsEffect_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("even") << QSize(400, 300);
        QTest::newRow("odd") << QSize(401, 301);
        QTest::newRow("main window") << QSize(1280, 800);
        QTest::newRow("smaller than the corners") << QSize(100, 80);
        QTest::newRow("smaller than the margins") << QSize(20, 20);
    }

    // The panel leaves the shadow's margin, and the shadow fades as the old effect's did on every
    // side and corner, in the green around the panel.
    void shadowLooksLikeTheGraphicsEffect()
    {
        QFETCH(QSize, size);
        BaseWidget w;
        QVERIFY(showAt(&w, QSize(300, 200)));
        // Shown at another size first: the shadow follows the resize.
        shot(&w);
        w.resize(size);
        const QImage expected = effectLook(size);
        const QImage actual = shot(&w);
        const QRect panel = w.panel()->geometry();
        QCOMPARE(panel, QRect(15, 15, qMax(0, size.width() - 30), qMax(0, size.height() - 30)));
        int worst = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb pixel = actual.pixel(x, y);
                worst = qMax(worst, qAbs(qAlpha(pixel) - alphaAt(expected, x, y)));
                if (qAlpha(pixel) >= 60 && !panel.contains(x, y) && !isShadowGreen(pixel))
                    QFAIL(qPrintable(QStringLiteral("not green at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY2(worst <= 3, qPrintable(QString::number(worst)));

        // Repainting a small area where a corner meets a side draws the same pixels there.
        const QRect area(100, 0, 30, 20);
        if (!QRect(QPoint(), size).contains(area))
            return;
        QImage part(area.size(), QImage::Format_ARGB32_Premultiplied);
        part.fill(Qt::transparent);
        w.render(&part, QPoint(), QRegion(area));
        QCOMPARE(part, actual.copy(area));
    }

    void framelessDialogShadowFollowsItsPanel()
    {
        ShadowedDialog dlg;
        QVERIFY(showAt(&dlg, QSize(300, 200)));
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
