// Pictures of the splitter layouts and the plan buttons for a person to look at, written under
// <build>/screenshots/. The checks make sure each picture really shows something.
#include "app/appsettings.h"
#include "state/devicestate.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"

#include <QDir>
#include <QGridLayout>
#include <QMouseEvent>
#include <QTest>

class TestWallScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void splitterLayouts();
    void planButtons();

private:
    /// Saves `page` unless it shows one colour only, which would mean nothing was drawn.
    static bool save(QWidget *page, const QString &name)
    {
        const QImage image = page->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4)
                colours.insert(image.pixel(x, y));
        }
        const QString dir = qEnvironmentVariable("CORVANE_BUILD_DIR", QDir::currentPath()) +
                            QStringLiteral("/screenshots");
        return colours.size() > 2 && QDir().mkpath(dir) &&
               image.save(dir + QLatin1Char('/') + name);
    }
};

void TestWallScreenshots::splitterLayouts()
{
    for (int i = 1; i <= 9; ++i)
        AppSettings::instance()->setInputName(i, QStringLiteral("Input %1").arg(i));
    DeviceState::instance()->setMultiviewWindows(
        {{1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}});

    QWidget page;
    page.setStyleSheet(QStringLiteral("background:#ffffff"));
    auto *grid = new QGridLayout(&page);
    for (int mode = 0; mode <= 6; ++mode) {
        auto *splitter = new SingleSplitterWidget(&page);
        splitter->setFixedSize(320, 180);
        splitter->setSplitterMode(mode);
        splitter->refreshLabels();
        grid->addWidget(splitter, mode / 3, mode % 3);
    }
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    // One hovered region, as under the pointer.
    auto *hovered = page.findChildren<SingleSplitterWidget *>().at(3);
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 60), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(hovered, &move);
    QVERIFY(hovered->hoveredRegion() > 0);
    QVERIFY(save(&page, QStringLiteral("splitter-layouts.png")));
}

void TestWallScreenshots::planButtons()
{
    QWidget page;
    page.setStyleSheet(QStringLiteral("background:#ffffff"));
    auto *grid = new QGridLayout(&page);
    // Ten plan buttons above, the six splice presets below.
    QList<PlanPushButton *> buttons;
    for (int i = 0; i < 16; ++i) {
        buttons.append(new PlanPushButton(&page));
        buttons.last()->setFixedSize(90, 47);
        grid->addWidget(buttons.last(), i / 10, i % 10);
    }
    PlanPushButton::applyCaptions(
        buttons.mid(0, 10), {{2, QStringLiteral("Night")}, {4, QStringLiteral("Lobby wall")}});
    buttons.at(6)->setEnabled(false);
    const QList<QList<int>> presets{
        {1}, {1, 2}, {1, 5}, {1, 2, 5, 6}, {1, 2, 3, 5, 6, 7}, {1, 2, 3, 4, 5, 6, 7, 8}};
    for (int i = 0; i < presets.size(); ++i) {
        PlanPushButton *b = buttons.at(10 + i);
        b->setCheckable(true);
        b->setChecked(i == 3);
        b->setGrid(2, 4);
        b->setPreview(i, {{1, presets.at(i)}});
        b->setGroupColors({QStringLiteral("#338c56")});
        b->setPreviewMode();
    }
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    // The second button mid-flash.
    QTest::mousePress(buttons.at(1), Qt::LeftButton);
    QVERIFY(buttons.at(1)->pressedLook());
    QVERIFY(save(&page, QStringLiteral("plan-buttons.png")));
}

QTEST_MAIN(TestWallScreenshots)
#include "tst_wallscreenshots.moc"
