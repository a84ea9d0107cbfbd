#include "mainwindow/checkpushbutton.h"

#include <QtTest>

class TestCheckPushButton : public QObject
{
    Q_OBJECT

private slots:
    void paintsOnAndOff_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("windows");
        const int windows[] = {0, 4, 9, 8, 5, 4, 2};
        static_assert(std::size(windows) == CheckPushButton::LayoutCount);
        for (int layout = 0; layout < CheckPushButton::LayoutCount; ++layout)
            QTest::addRow("layout %d", layout) << layout << windows[layout];
        QTest::newRow("unknown") << int(CheckPushButton::LayoutCount) << 0;
        QTest::newRow("negative") << -1 << 0;
    }

    // The first window's middle shows the fill; layout 0 is one whole window.
    void paintsOnAndOff()
    {
        QFETCH(int, layout);
        const QList<QRectF> rects = CheckPushButton::layoutRects(layout);
        QTEST(int(rects.size()), "windows");
        CheckPushButton button;
        button.resize(120, 80);
        button.setLayoutNumber(layout);
        // The button has no text: its tooltip tells the known layouts apart.
        QCOMPARE(button.toolTip().isEmpty(), layout < 0 || layout >= CheckPushButton::LayoutCount);
        QCOMPARE(button.toolTip() == CheckPushButton().toolTip(), layout == 0);
        const auto colourAt = [&button](bool checked, const QPointF &f) {
            button.setChecked(checked);
            const QImage image = button.grab().toImage();
            return image.pixelColor(int(f.x() * image.width()), int(f.y() * image.height()));
        };
        const QPointF middle = rects.isEmpty() ? QPointF(0.5, 0.5) : rects.first().center();
        QCOMPARE(colourAt(true, middle), QColor(51, 140, 86));
        QCOMPARE(colourAt(false, middle), QColor(221, 222, 219));
        if (layout == 1) // the white outline between the four windows
            QCOMPARE(colourAt(true, QPointF(0.5, 0.25)), QColor(Qt::white));
    }
};

QTEST_MAIN(TestCheckPushButton)
#include "tst_checkpushbutton.moc"
