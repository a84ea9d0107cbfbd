// The multiview splitter: the output's shape, hits, drops, labels and the picture in picture.
#include "walltestkit.h"

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "wall/singlesplitterwidget.h"

#include <QtTest>

class TestSingleSplitterWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<SingleSplitterWidget> m_widget;

    QPointF at(qreal fx, qreal fy) const
    {
        const QRectF area = m_widget->outputArea();
        return QPointF(area.x() + fx * area.width(), area.y() + fy * area.height());
    }
    bool drag(const QString &text, const QPointF &at)
    {
        return dropText(m_widget.get(), text, at.toPoint());
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
    void outputKeepsItsShape_data()
    {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<QRectF>("area");
        // clang-format off
        QTest::newRow("16:9, room below")  << QSize(400, 300) << "1920x1080x60Hz" << QRectF(0, 0, 400, 225);
        QTest::newRow("16:9, room beside") << QSize(800, 300) << "3840x2160x30Hz" << QRectF(400 - 800 / 3.0, 0, 1600 / 3.0, 300);
        QTest::newRow("5:4")               << QSize(400, 300) << "1280x1024x60Hz" << QRectF(12.5, 0, 375, 300);
        QTest::newRow("none told is 16:9") << QSize(400, 300) << "noinput"        << QRectF(0, 0, 400, 225);
        // clang-format on
    }
    void outputKeepsItsShape()
    {
        QFETCH(QSize, widget);
        QFETCH(QString, resolution);
        QFETCH(QRectF, area);
        DeviceState *store = DeviceState::instance();
        store->setOutputResolution({{9, resolution}, {1, QStringLiteral("1280x1024x60Hz")}});
        m_widget->resize(widget);
        m_widget->refresh();
        QCOMPARE(m_widget->outputArea().toRect(), area.toRect());
        // The undivided output is one region over the whole picture, and only over it.
        QCOMPARE(m_widget->regionGeometry(0).toRect(), area.toRect());
        QCOMPARE(m_widget->regionAt(QPointF(area.left() - 1, area.bottom() + 1)), -1);
        store->setOutputResolution({});
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
        QTest::newRow("1: shared corner goes to the lowest") << 1 << QPointF(0.5, 0.5)  << 1  << "103" << 3;
        QTest::newRow("2: bottom right")                    << 2 << QPointF(0.99, 0.99) << 9  << "103" << 3;
        QTest::newRow("3: right column, second")            << 3 << QPointF(0.8, 0.3)   << 3  << "103" << 3;
        QTest::newRow("4: right lower")                     << 4 << QPointF(0.8, 0.5)   << 3  << "103" << 3;
        QTest::newRow("4: bottom right is uncovered")       << 4 << QPointF(0.9, 0.9)   << -1 << "103" << -1;
        QTest::newRow("5: tall left window bottom")         << 5 << QPointF(0.5, 0.95)  << 1  << "103" << 3;
        QTest::newRow("6: inside the small window")         << 6 << QPointF(0.75, 0.75) << 2  << "109" << 9;
        QTest::newRow("6: right of the small window")       << 6 << QPointF(0.98, 0.75) << 1  << "103" << 3;
        QTest::newRow("below the picture")                  << 1 << QPointF(0.5, 1.05)  << -1 << "103" << -1;
        QTest::newRow("audio input ignored")                << 3 << QPointF(0.8, 0.3)   << 3  << "3"   << -1;
        QTest::newRow("no number")                          << 1 << QPointF(0.2, 0.2)   << 1  << "abc" << -1;
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
        const QPointF p = at(f.x(), f.y());
        QCOMPARE(m_widget->regionAt(p), region);
        QSignalSpy drops(m_widget.get(), &SingleSplitterWidget::si_drop);
        QCOMPARE(drag(text, p), input > 0);
        using Drops = QList<QVariantList>;
        using Labels = QMap<int, QString>;
        QCOMPARE(drops, input > 0 ? Drops({{input, region}}) : Drops());
        QCOMPARE(m_widget->labels(),
                 input > 0 ? Labels({{region, QStringLiteral("[%1] Cam %1").arg(input)}})
                           : Labels());
        drops.clear();
        // A double click empties the region; outside every region there is nothing to clear.
        QTest::mouseDClick(m_widget.get(), Qt::LeftButton, {}, p.toPoint());
        QCOMPARE(drops, region < 0 ? Drops() : Drops({{0, region}}));
        QVERIFY(m_widget->labels().isEmpty());
    }
    // A layout is announced once; an unknown one is the undivided output.
    void modeChangeIsAnnouncedOnce()
    {
        QSignalSpy changes(m_widget.get(), &SingleSplitterWidget::si_layout_change);
        m_widget->setSplitterMode(3);
        m_widget->setSplitterMode(3);
        QCOMPARE(changes, QList<QVariantList>{{3}});
        m_widget->setSplitterMode(9);
        QCOMPARE(m_widget->splitterMode(), 0);
        QCOMPARE(m_widget->regions().keys(), QList<int>{0});
        QCOMPARE(changes.last().at(0).toInt(), 0);
    }
    void labelsComeFromTheStore()
    {
        DeviceState *store = DeviceState::instance();
        store->setMultiviewWindowAt(0, 9);
        store->setMultiviewWindows({{1, 3}, {2, 0}, {3, 100}, {4, 5}});
        m_widget->setSplitterMode(2);
        QVERIFY(drag(QStringLiteral("107"), at(0.5, 0.5))); // replaced by the rebuild
        m_widget->refreshLabels();
        QCOMPARE(m_widget->labels(), (QMap<int, QString>{{0, QStringLiteral("[9] Cam 9")},
                                                         {1, QStringLiteral("[3] Cam 3")},
                                                         {4, QStringLiteral("[5] Cam 5")}}));
        // A refresh follows the store's layout too, as the version report sets it.
        AppSettings::instance()->setInputName(3, QStringLiteral("Lobby"));
        store->setSplitterMode(5);
        QSignalSpy changes(m_widget.get(), &SingleSplitterWidget::si_layout_change);
        m_widget->refresh();
        QCOMPARE(m_widget->label(1), QStringLiteral("[3] Lobby"));
        QCOMPARE(m_widget->splitterMode(), 5);
        QCOMPARE(changes.count(), 1);
        store->setSplitterMode(0);
    }
};

QTEST_MAIN(TestSingleSplitterWidget)
#include "tst_singlesplitterwidget.moc"
