// Plan buttons: captions with and without stored names per device address, the caption size
// rule, the flash on a press (right as well as left), double clicks, and the preset picture.
#include "app/appsettings.h"
#include "storage/projectdatabase.h"
#include "wall/planpushbutton.h"

#include <QButtonGroup>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Names = QMap<int, QString>;
Q_DECLARE_METATYPE(Qt::MouseButton)

class TestPlanPushButton : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namesArePerDeviceAddress();
    void press_data();
    void press();
    void releaseEndsTheFlash();
    void doubleClick_data();
    void doubleClick();
    void plainModeIsAnOrdinaryButton();
    void presetPicture();

private:
    QList<PlanPushButton *> makeButtons(int count);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_host;
};

void TestPlanPushButton::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    AppSettings::setDataDirectory(m_dir->path());
    AppSettings::instance()->reload();
    ProjectDatabase::resetDatabasePath();
    m_host = std::make_unique<QWidget>();
}

void TestPlanPushButton::cleanup()
{
    m_host.reset();
    m_dir.reset();
}

QList<PlanPushButton *> TestPlanPushButton::makeButtons(int count)
{
    QList<PlanPushButton *> buttons;
    for (int i = 0; i < count; ++i)
        buttons.append(new PlanPushButton(m_host.get()));
    return buttons;
}

void TestPlanPushButton::namesArePerDeviceAddress()
{
    AppSettings::instance()->setNetWork(QStringLiteral("127.0.0.2"), 5000);
    QVERIFY(PlanPushButton::savePlanName(3, QStringLiteral("Night")));
    QVERIFY(PlanPushButton::savePlanName(3, QStringLiteral("Late night"))); // renamed again
    AppSettings::instance()->setNetWork(QStringLiteral("127.0.0.3"), 5000);
    QVERIFY(PlanPushButton::savePlanName(1, QStringLiteral("O'Brien's \"room\"")));

    const auto first = PlanPushButton::loadPlanNames(QStringLiteral("127.0.0.2"));
    QCOMPARE(first, (QMap<int, QString>{{3, QStringLiteral("Late night")}}));
    const auto second = PlanPushButton::loadPlanNames(QStringLiteral("127.0.0.3"));
    QCOMPARE(second, (QMap<int, QString>{{1, QStringLiteral("O'Brien's \"room\"")}}));
    QVERIFY(PlanPushButton::loadPlanNames(QStringLiteral("127.0.0.4")).isEmpty());

    // Plan numbers are 1-based, button indexes 0-based.
    const QList<PlanPushButton *> buttons = makeButtons(10);
    QMap<int, QString> byIndex;
    for (auto it = first.cbegin(); it != first.cend(); ++it)
        byIndex.insert(it.key() - 1, it.value());
    PlanPushButton::applyCaptions(buttons, byIndex);
    QCOMPARE(buttons.at(2)->caption(), QStringLiteral("[3]Late night"));
    QCOMPARE(buttons.at(9)->caption(), QStringLiteral("[10]"));
    PlanPushButton::applyCaptions(buttons, {});
    QCOMPARE(buttons.at(2)->caption(), QStringLiteral("[3]"));
}

void TestPlanPushButton::press_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("clicks");
    QTest::newRow("left") << Qt::LeftButton << true;
    QTest::newRow("right like left") << Qt::RightButton << true;
    QTest::newRow("middle ignored") << Qt::MiddleButton << false;
}

void TestPlanPushButton::press()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, clicks);
    auto *plan = new PlanPushButton(m_host.get());
    plan->setCheckable(true);
    QButtonGroup group;
    group.addButton(plan, 4);
    QSignalSpy groupClicks(&group, &QButtonGroup::idClicked);
    m_host->show();

    QTest::mousePress(plan, button);
    QCOMPARE(groupClicks.count(), clicks ? 1 : 0);
    if (clicks)
        QCOMPARE(groupClicks.at(0).at(0).toInt(), 4);
    QCOMPARE(plan->pressedLook(), clicks);
    // The flash ends by itself, even without a release.
    QTRY_VERIFY_WITH_TIMEOUT(!plan->pressedLook(), 2000);
}

void TestPlanPushButton::releaseEndsTheFlash()
{
    auto *plan = new PlanPushButton(m_host.get());
    m_host->show();
    QTest::mousePress(plan, Qt::LeftButton);
    QVERIFY(plan->pressedLook());
    QTest::mouseRelease(plan, Qt::LeftButton);
    QVERIFY(!plan->pressedLook());
}

void TestPlanPushButton::doubleClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("reported");
    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 0;
}

void TestPlanPushButton::doubleClick()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, reported);
    auto *plan = new PlanPushButton(m_host.get());
    m_host->show();
    QSignalSpy doubles(plan, &PlanPushButton::si_doubleClick);
    QTest::mouseDClick(plan, button);
    QCOMPARE(doubles.count(), reported);
}

void TestPlanPushButton::plainModeIsAnOrdinaryButton()
{
    auto *plan = new PlanPushButton(m_host.get());
    plan->setPlainMode(true);
    m_host->show();
    QSignalSpy clicks(plan, &QPushButton::clicked);
    QSignalSpy doubles(plan, &PlanPushButton::si_doubleClick);
    QTest::mouseClick(plan, Qt::RightButton);
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(plan, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseDClick(plan, Qt::LeftButton);
    QCOMPARE(doubles.count(), 0);
    QVERIFY(!plan->pressedLook());
}

void TestPlanPushButton::presetPicture()
{
    PlanPushButton preset;
    preset.resize(90, 47);
    preset.setGrid(2, 4);
    QVERIFY(!preset.captionMode());
    preset.setPreview(3, {{1, {1, 2, 5, 6}}, {3, {3, 4}}, {7, {7, 8}}});
    preset.setGroupColors({QStringLiteral("#ff0000"), QStringLiteral("#0000ff")});
    QVERIFY(!preset.previewMode());
    preset.setPreviewMode();
    QVERIFY(preset.previewMode());
    QCOMPARE(preset.previewIndex(), 3);
    QCOMPARE(preset.screenColor(6), QColor(QStringLiteral("#ff0000")));
    QCOMPARE(preset.screenColor(4), QColor(QStringLiteral("#0000ff")));
    // More groups than colours: the colours come round again.
    QCOMPARE(preset.screenColor(8), QColor(QStringLiteral("#ff0000")));

    preset.setPreview(0, {{1, {1}}});
    QVERIFY(!preset.screenColor(2).isValid());
    // The picture is really drawn: screen 1 (top left) in the group's colour, screen 8 not.
    const QImage image = preset.grab().toImage();
    const QRect area = preset.rect().adjusted(10, 10, -10, -10);
    const QPoint screen1(area.left() + area.width() / 8, area.top() + area.height() / 4);
    const QPoint screen8(area.right() - area.width() / 8, area.bottom() - area.height() / 4);
    QCOMPARE(QColor(image.pixel(screen1)), QColor(QStringLiteral("#ff0000")));
    QVERIFY(QColor(image.pixel(screen8)) != QColor(QStringLiteral("#ff0000")));
}

QTEST_MAIN(TestPlanPushButton)
#include "tst_planpushbutton.moc"
