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
    void svgLabelPaintsTheImageCentred()
    {
        SvgLabel label;
        QVERIFY(label.svgPath().isEmpty());
        QVERIFY(!label.isScaled());
        label.setSvg(QStringLiteral(":/Images/on2.svg"), QSize(40, 40));
        QVERIFY(label.hasValidSvg());
        QVERIFY(label.isScaled());
        label.resize(80, 60);
        const QImage image = paint(label);
        // The image is 40 x 40 in the middle of 80 x 60: inside its box, not outside it.
        QVERIFY(isAccentGreen(image.pixel(20 + 10, 10 + 10)));
        QVERIFY(isAccentGreen(image.pixel(60 - 10, 50 - 10)));
        QCOMPARE(qAlpha(image.pixel(20 - 3, 30)), 0);
        QCOMPARE(qAlpha(image.pixel(2, 2)), 0);
        QCOMPARE(label.sizeHint().expandedTo(QSize(40, 40)), label.sizeHint());
    }

    void svgLabelRedrawsForANewFileSizeOrState()
    {
        // Pictures are kept between paints; a change must never show the kept one.
        SvgLabel label, other;
        label.setSvg(QStringLiteral(":/Images/on2.svg"), QSize(40, 40));
        other.setSvg(QStringLiteral(":/Images/on2.svg"), QSize(40, 40));
        label.resize(80, 60);
        other.resize(80, 60);
        const QImage on = paint(label);
        QCOMPARE(paint(other), on);

        label.setSvgPath(QStringLiteral(":/Images/off2.svg"));
        QVERIFY(!isAccentGreen(paint(label).pixel(20 + 10, 10 + 10)));
        QVERIFY(isAccentGreen(paint(other).pixel(20 + 10, 10 + 10)));

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

    void svgLabelWithAMissingFileDrawsNothing()
    {
        SvgLabel label;
        label.setSvgPath(QStringLiteral(":/Images/no-such-image.svg"));
        QVERIFY(!label.hasValidSvg());
        label.resize(32, 32);
        QCOMPARE(qAlpha(paint(label).pixel(16, 16)), 0);
    }

    void checkBoxShowsTheImageOfItsState_data()
    {
        QTest::addColumn<QString>("onPath");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("shown");
        const QString on = QStringLiteral(":/Images/on.svg");
        const QString off = QStringLiteral(":/Images/off.svg");
        QTest::newRow("unticked") << on << false << off;
        QTest::newRow("ticked") << on << true << on;
        QTest::newRow("ticked without an on-image") << QString() << true << off;
    }

    void checkBoxShowsTheImageOfItsState()
    {
        QFETCH(QString, onPath);
        QFETCH(bool, checked);
        QFETCH(QString, shown);
        SvgCheckBox box;
        QCOMPARE(box.onSvgPath(), QStringLiteral(":/Images/on2.svg"));
        QCOMPARE(box.offSvgPath(), QStringLiteral(":/Images/off2.svg"));
        QCOMPARE(box.font().family(), QStringLiteral("Microsoft YaHei"));
        box.setSvgPaths(onPath, QStringLiteral(":/Images/off.svg"));
        box.setChecked(checked);
        QCOMPARE(box.currentSvgPath(), shown);
    }

    void checkBoxTogglesWhereverItIsClicked_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("image only, far corner") << int(SvgCheckBox::ImageOnly) << QPoint(40, 20);
        QTest::newRow("beside text, on the text")
            << int(SvgCheckBox::ImageBesideText) << QPoint(100, 10);
    }

    void checkBoxTogglesWhereverItIsClicked()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, at);
        SvgCheckBox box(QStringLiteral("Login-free mode"));
        box.setTextPosition(mode);
        box.resize(mode == SvgCheckBox::ImageOnly ? QSize(44, 24) : QSize(160, 22));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy toggled(&box, &QCheckBox::toggled);
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(toggled.count(), 1);
        QVERIFY(box.isChecked());
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
