#include "mainwindow/checkpushbutton.h"

#include <QtTest>

namespace {
QImage render(CheckPushButton &button, bool checked)
{
    button.setChecked(checked);
    return button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

QColor colourAt(const QImage &image, const QPointF &fraction)
{
    return image.pixelColor(int(fraction.x() * image.width()), int(fraction.y() * image.height()));
}
} // namespace

class TestCheckPushButton : public QObject
{
    Q_OBJECT

private slots:
    void paintsOnAndOff_data()
    {
        QTest::addColumn<int>("layout");
        for (int layout = 0; layout < CheckPushButton::LayoutCount; ++layout)
            QTest::addRow("layout %d", layout) << layout;
    }

    void paintsOnAndOff()
    {
        QFETCH(int, layout);
        CheckPushButton button;
        button.resize(120, 80);
        button.setLayoutNumber(layout);
        // The button has no text: its tooltip tells the layouts apart.
        QVERIFY(!button.toolTip().isEmpty());
        QCOMPARE(button.toolTip() == CheckPushButton().toolTip(), layout == 0);
        // The first window's middle shows the fill; layout 0 is one whole window.
        const QImage off = render(button, false), on = render(button, true);
        const QList<QRectF> rects = CheckPushButton::layoutRects(layout);
        const QPointF middle = rects.isEmpty() ? QPointF(0.5, 0.5) : rects.first().center();
        QCOMPARE(colourAt(on, middle), QColor(51, 140, 86));
        QCOMPARE(colourAt(off, middle), QColor(221, 222, 219));
        if (layout == 1) // the white outline between the four windows
            QCOMPARE(colourAt(on, QPointF(0.5, 0.25)), QColor(Qt::white));
    }

    void layoutsTileTheOutput_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("windows");
        QTest::addColumn<qreal>("covered");
        QTest::newRow("quad") << 1 << 4 << 1.0;
        QTest::newRow("nine") << 2 << 9 << 1.0;
        QTest::newRow("one big, seven small") << 3 << 8 << 1.0;
        QTest::newRow("one big, four small: corner free") << 4 << 5 << 1.0 - 0.33 * 0.33;
        QTest::newRow("one tall, three small") << 5 << 4 << 1.0;
        QTest::newRow("picture in picture") << 6 << 2 << 1.0;
        QTest::newRow("single") << 0 << 0 << 0.0;
        QTest::newRow("unknown") << 7 << 0 << 0.0;
        QTest::newRow("negative") << -1 << 0 << 0.0;
    }

    // Windows stay inside the output; split layouts neither overlap nor leave gaps but where meant.
    void layoutsTileTheOutput()
    {
        QFETCH(int, layout);
        QFETCH(qreal, covered);
        const QList<QRectF> rects = CheckPushButton::layoutRects(layout);
        QTEST(int(rects.size()), "windows");
        if (layout == 6) { // the small window lies on the whole picture
            QCOMPARE(rects.first(), QRectF(0, 0, 1, 1));
            QVERIFY(rects.first().contains(rects.last()));
            return;
        }
        qreal area = 0;
        for (int i = 0; i < rects.size(); ++i) {
            const QRectF &r = rects.at(i);
            QVERIFY(QRectF(0, 0, 1, 1).contains(r.adjusted(1e-9, 1e-9, -1e-9, -1e-9)));
            area += r.width() * r.height();
            for (int j = i + 1; j < rects.size(); ++j) {
                const QRectF overlap = r.intersected(rects.at(j));
                QVERIFY(overlap.width() * overlap.height() < 1e-9);
            }
        }
        QVERIFY(qAbs(area - covered) < 1e-9);
    }
};

QTEST_MAIN(TestCheckPushButton)
#include "tst_checkpushbutton.moc"
