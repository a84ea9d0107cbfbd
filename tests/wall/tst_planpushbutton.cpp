// Plan buttons: captions, the flash on a press, the preset picture.
#include "wall/planpushbutton.h"

#include <QButtonGroup>
#include <QtTest>

Q_DECLARE_METATYPE(Qt::MouseButton)

class TestPlanPushButton : public QObject
{
    Q_OBJECT

private slots:
    // Captions are numbered from 1, names keyed by button index from 0.
    void captions()
    {
        QWidget host;
        QList<PlanPushButton *> buttons;
        for (int i = 0; i < 10; ++i)
            buttons.append(new PlanPushButton(&host));
        PlanPushButton::applyCaptions(buttons, {{2, QStringLiteral("Night")}});
        QCOMPARE(buttons.at(2)->caption() + buttons.at(9)->caption(), "[3]Night[10]");
        PlanPushButton::applyCaptions(buttons, {});
        QCOMPARE(buttons.at(2)->caption(), QStringLiteral("[3]"));
        // The size is that of the number alone, and follows the font and a longer number.
        PlanPushButton *b = buttons.at(2);
        const QSize small = b->sizeHint();
        QFont big = b->font();
        big.setPointSize(big.pointSize() * 4);
        b->setFont(big);
        const QSize three = b->sizeHint();
        QVERIFY(three.width() > small.width());
        b->setNamedCaption(3, QStringLiteral("A long name"));
        QCOMPARE(b->sizeHint(), three);
        b->setNumberCaption(3000);
        QVERIFY(b->sizeHint().width() > three.width());
    }
    void mouse_data()
    {
        QTest::addColumn<bool>("plain");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("clicks"); // reported by the button group
        QTest::addColumn<bool>("flash");
        QTest::addColumn<int>("doubles");
        const int press = QTest::MousePress, click = QTest::MouseClick, dclick = QTest::MouseDClick;
        const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton;
        // clang-format off
        QTest::newRow("press left")             << false << left  << press  << 1 << true  << 0;
        QTest::newRow("press right like left")  << false << right << press  << 1 << true  << 0;
        QTest::newRow("press middle ignored")   << false << Qt::MiddleButton << press << 0 << false << 0;
        QTest::newRow("release ends the flash") << false << left  << click  << 1 << false << 0;
        QTest::newRow("double left")            << false << left  << dclick << 0 << true  << 1;
        QTest::newRow("double right ignored")   << false << right << dclick << 0 << false << 0;
        // Plain mode is an ordinary button: clicks on a left release only, never flashes.
        QTest::newRow("plain left click")       << true  << left  << click  << 1 << false << 0;
        QTest::newRow("plain right click")      << true  << right << click  << 0 << false << 0;
        QTest::newRow("plain double")           << true  << left  << dclick << 0 << false << 0;
        // clang-format on
    }
    void mouse()
    {
        QFETCH(bool, plain);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, action);
        QFETCH(int, clicks);
        QWidget host;
        auto *plan = new PlanPushButton(&host);
        plan->setPlainMode(plain);
        plan->setCheckable(true);
        QButtonGroup group;
        group.addButton(plan, 4);
        QSignalSpy groupClicks(&group, &QButtonGroup::idClicked);
        QSignalSpy doubleSpy(plan, &PlanPushButton::si_doubleClick);
        host.show();

        QTest::mouseEvent(QTest::MouseAction(action), plan, button, {}, {});
        QCOMPARE(groupClicks.count(), clicks);
        QVERIFY(!clicks || groupClicks.at(0).at(0) == 4);
        QTEST(plan->pressedLook(), "flash");
        QTEST(int(doubleSpy.count()), "doubles");
        // The flash ends by itself, even without a release.
        QTRY_VERIFY_WITH_TIMEOUT(!plan->pressedLook(), 2000);
    }
    // The preview colours each group's screens; more groups than colours take them round again.
    void presetPicture()
    {
        PlanPushButton preset;
        preset.resize(90, 47);
        preset.setGrid(2, 4);
        preset.setPreview(3, {{1, {1, 2, 5, 6}}, {3, {3, 4}}, {7, {7, 8}}});
        preset.setGroupColors({QStringLiteral("#ff0000"), QStringLiteral("#0000ff")});
        preset.setPreviewMode();
        const QColor red(255, 0, 0), blue(0, 0, 255);
        QCOMPARE(
            (QList<QColor>{preset.screenColor(6), preset.screenColor(4), preset.screenColor(8)}),
            (QList<QColor>{red, blue, red}));
        preset.setPreview(0, {{1, {1}}});
        QVERIFY(!preset.screenColor(2).isValid());
    }
};

QTEST_MAIN(TestPlanPushButton)
#include "tst_planpushbutton.moc"
