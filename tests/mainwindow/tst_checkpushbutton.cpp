#include "mainwindow/checkpushbutton.h"

#include <QtTest>

class TestCheckPushButton : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
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

    // Each known layout has its windows to draw and is named in the tooltip; others have none.
    void layouts()
    {
        QFETCH(int, layout);
        QTEST(int(CheckPushButton::layoutRects(layout).size()), "windows");
        CheckPushButton button;
        button.setLayoutNumber(layout);
        // The button has no text: its tooltip tells the known layouts apart.
        QCOMPARE(button.toolTip().isEmpty(), layout < 0 || layout >= CheckPushButton::LayoutCount);
        QCOMPARE(button.toolTip() == CheckPushButton().toolTip(), layout == 0);
    }
};

QTEST_MAIN(TestCheckPushButton)
#include "tst_checkpushbutton.moc"
