#include "uikit/labelclickedintableitem.h"
#include "uikit/svgcheckbox.h"
#include "uikit/svglabel.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {
void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Paints the widget alone, without any window background, onto transparency.
QImage paint(QWidget &w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The accent green of the icon set, as painted (allowing for antialiasing at the edge).
bool isAccentGreen(QRgb c)
{
    return qAbs(qRed(c) - 0x33) < 12 && qAbs(qGreen(c) - 0x8c) < 12 && qAbs(qBlue(c) - 0x56) < 12;
}
} // namespace

class TestSvgWidgets : public QObject
{
    Q_OBJECT

private slots:
    void svgLabelRedrawsForANewFileSizeOrState()
    {
        // Pictures are kept between paints; a change must never show the kept one.
        SvgLabel label, other;
        label.setSvg(QStringLiteral(":/Images/on2.svg"), QSize(40, 40));
        other.setSvg(QStringLiteral(":/Images/on2.svg"), QSize(40, 40));
        QVERIFY(label.hasValidSvg());
        QCOMPARE(label.sizeHint().expandedTo(QSize(40, 40)), label.sizeHint());
        label.resize(80, 60);
        other.resize(80, 60);
        const QImage on = paint(label);
        QCOMPARE(paint(other), on);
        // The image is 40 x 40 in the middle of 80 x 60: inside its box, not outside it.
        QVERIFY(isAccentGreen(on.pixel(20 + 10, 10 + 10)));
        QVERIFY(isAccentGreen(on.pixel(60 - 10, 50 - 10)));
        QCOMPARE(qAlpha(on.pixel(20 - 3, 30)), 0);
        QCOMPARE(qAlpha(on.pixel(2, 2)), 0);

        label.setSvgPath(QStringLiteral(":/Images/off2.svg"));
        QVERIFY(!isAccentGreen(paint(label).pixel(20 + 10, 10 + 10)));
        QVERIFY(isAccentGreen(paint(other).pixel(20 + 10, 10 + 10)));
        // A missing file draws nothing.
        label.setSvgPath(QStringLiteral(":/Images/no-such-image.svg"));
        QVERIFY(!label.hasValidSvg());
        QCOMPARE(qAlpha(paint(label).pixel(40, 30)), 0);

        other.setSvgSize(20, 20);
        const QImage small = paint(other);
        QCOMPARE(qAlpha(small.pixel(20 + 5, 10 + 5)), 0); // inside the old box only
        QCOMPARE(qAlpha(small.pixel(50 + 5, 40 + 5)), 0); // past the new box's corner
        QVERIFY(isAccentGreen(small.pixel(30 + 5, 20 + 5)));

        other.setSvgSize(40, 40);
        other.setEnabled(false);
        const QRgb dimmed = paint(other).pixel(20 + 10, 10 + 10);
        QVERIFY(qAbs(qAlpha(dimmed) - qAlpha(on.pixel(20 + 10, 10 + 10)) / 2) <= 1);
    }

    void checkBoxTogglesWhereverItIsClicked_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("image only, far corner") << int(SvgCheckBox::ImageOnly) << QPoint(40, 20);
        QTest::newRow("beside text, on the text")
            << int(SvgCheckBox::ImageBesideText) << QPoint(100, 10);
    }

    // Clicked anywhere, it ticks and shows its on-image.
    void checkBoxTogglesWhereverItIsClicked()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, at);
        SvgCheckBox box(QStringLiteral("Login-free mode"));
        box.setTextPosition(mode);
        box.resize(mode == SvgCheckBox::ImageOnly ? QSize(44, 24) : QSize(160, 22));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QString on = QStringLiteral(":/Images/on.svg");
        const QString off = QStringLiteral(":/Images/off.svg");
        box.setSvgPaths(on, off);
        QCOMPARE(box.currentSvgPath(), off);
        QSignalSpy toggled(&box, &QCheckBox::toggled);
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(toggled, QList<QVariantList>{{true}});
        QCOMPARE(box.currentSvgPath(), on);
        // Ticked without an on-image it keeps the off-image.
        box.setOnSvgPath(QString());
        QCOMPARE(box.currentSvgPath(), off);
        if (mode == SvgCheckBox::ImageOnly)
            QCOMPARE(box.imageRect(), box.rect());
        else
            QCOMPARE(box.imageRect().left(), 0);
    }

    void labelClicks_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left, inside") << int(Qt::LeftButton) << QPoint(10, 10) << 1;
        QTest::newRow("left, released outside") << int(Qt::LeftButton) << QPoint(60, 10) << 0;
        QTest::newRow("right") << int(Qt::RightButton) << QPoint(10, 10) << 0;
    }

    void labelClicks()
    {
        QFETCH(int, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        LabelClickedInTableItem label;
        label.resize(24, 24);
        QSignalSpy clicked(&label, &LabelClickedInTableItem::clicked);
        sendMouse(&label, QEvent::MouseButtonPress, QPoint(10, 10), Qt::MouseButton(button));
        sendMouse(&label, QEvent::MouseButtonRelease, releaseAt, Qt::MouseButton(button));
        QCOMPARE(clicked.count(), clicks);
        // A release without a press of its own is no click.
        sendMouse(&label, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::LeftButton);
        QCOMPARE(clicked.count(), clicks);
    }
};

QTEST_MAIN(TestSvgWidgets)
#include "tst_svgwidgets.moc"
