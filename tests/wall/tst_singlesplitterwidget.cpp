// The multiview splitter: hits, drops and labels in each layout, the picture in picture.
#include "../common/look.h"
#include "walltestkit.h"

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "wall/singlesplitterwidget.h"

#include <QtTest>

using Drops = QList<QVariantList>;

class TestSingleSplitterWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<SingleSplitterWidget> m_widget;

    QPoint at(const QPointF &f) const
    {
        const QRectF area = m_widget->outputArea();
        return (area.topLeft() + QPointF(f.x() * area.width(), f.y() * area.height())).toPoint();
    }

private slots:
    void init()
    {
        m_widget = std::make_unique<SingleSplitterWidget>();
        m_widget->resize(480, 300); // a 480 x 270 picture with a band below it
        m_widget->show();           // drops reach visible widgets only
        for (int i = 1; i <= 9; ++i)
            AppSettings::instance()->setInputName(i, QStringLiteral("Cam %1").arg(i));
    }
    void pointer_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPointF>("f");  // a fraction of the picture
        QTest::addColumn<int>("region"); // -1: no region there
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("input"); // -1: the drop is refused
        // clang-format off
        QTest::newRow("0: the whole output")                << 0 << QPointF(0.5, 0.5)   << 0  << "103" << 3;
        QTest::newRow("0: right of the picture")            << 0 << QPointF(1.05, 0.5)  << -1 << "103" << -1;
        QTest::newRow("1: shared corner goes to the lowest") << 1 << QPointF(0.5, 0.5)  << 1  << "103" << 3;
        QTest::newRow("2: bottom right")                    << 2 << QPointF(0.99, 0.99) << 9  << "103" << 3;
        QTest::newRow("3: right column, second")            << 3 << QPointF(0.8, 0.3)   << 3  << "103" << 3;
        QTest::newRow("4: bottom right is uncovered")       << 4 << QPointF(0.9, 0.9)   << -1 << "103" << -1;
        QTest::newRow("5: tall left window bottom")         << 5 << QPointF(0.5, 0.95)  << 1  << "103" << 3;
        QTest::newRow("6: inside the small window")         << 6 << QPointF(0.75, 0.75) << 2  << "109" << 9;
        QTest::newRow("6: right of the small window")       << 6 << QPointF(0.98, 0.75) << 1  << "103" << 3;
        QTest::newRow("below the picture")                  << 1 << QPointF(0.5, 1.05)  << -1 << "103" << -1;
        QTest::newRow("audio input ignored")                << 3 << QPointF(0.8, 0.3)   << 3  << "3"   << -1;
        // clang-format on
    }
    void pointer()
    {
        QFETCH(int, mode);
        QFETCH(QPointF, f);
        QFETCH(int, region);
        QFETCH(QString, text);
        QFETCH(int, input);
        m_widget->setSplitterMode(mode);
        QCOMPARE(m_widget->regionAt(at(f)), region);
        QSignalSpy drops(m_widget.get(), &SingleSplitterWidget::si_drop);
        QCOMPARE(dropText(m_widget.get(), text, at(f)), input > 0);
        QCOMPARE(drops, input > 0 ? Drops({{input, region}}) : Drops());
        QVERIFY_LOOK(QStringLiteral("multiview-%1.txt").arg(QTest::currentDataTag()),
                     m_widget.get());
        drops.clear();
        // A double click empties the region; outside every region there is nothing to clear.
        QTest::mouseDClick(m_widget.get(), Qt::LeftButton, {}, at(f));
        QCOMPARE(drops, region < 0 ? Drops() : Drops({{0, region}}));
        QVERIFY(m_widget->labels().isEmpty());
    }
    // Labels and layout follow the store, as the reports set it; a layout is announced once and
    // an unknown one is the undivided output.
    void followsTheStore()
    {
        QSignalSpy changes(m_widget.get(), &SingleSplitterWidget::si_layout_change);
        m_widget->setSplitterMode(3);
        m_widget->setSplitterMode(3);
        m_widget->setSplitterMode(9);
        QCOMPARE(changes, (Drops{{3}, {0}}));
        DeviceState *store = DeviceState::instance();
        store->setMultiviewWindowAt(0, 9);
        store->setMultiviewWindows({{1, 3}, {2, 0}, {3, 100}, {4, 5}});
        QVERIFY(dropText(m_widget.get(), QStringLiteral("107"), at({0.5, 0.5}))); // replaced
        m_widget->refreshLabels();
        QVERIFY_LOOK("multiview-store.txt", m_widget.get()); // 0, 1 and 4 labelled
        AppSettings::instance()->setInputName(3, QStringLiteral("Lobby"));
        store->setSplitterMode(5);
        m_widget->refresh();
        QVERIFY_LOOK("multiview-store-renamed.txt", m_widget.get());
        QCOMPARE(changes, (Drops{{3}, {0}, {5}}));
        store->setSplitterMode(0);
    }
};

QTEST_MAIN(TestSingleSplitterWidget)
#include "tst_singlesplitterwidget.moc"
