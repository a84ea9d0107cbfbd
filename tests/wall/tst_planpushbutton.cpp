// Plan buttons: stored names per device, captions, the flash on a press, the preset picture.
#include "app/appsettings.h"
#include "storage/projectdatabase.h"
#include "wall/planpushbutton.h"

#include <QButtonGroup>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Names = QMap<int, QString>;
Q_DECLARE_METATYPE(Qt::MouseButton)

class TestPlanPushButton : public QObject
{
    Q_OBJECT

private slots:
    void namesArePerDeviceAddress()
    {
        QTemporaryDir dir;
        AppSettings::setDataDirectory(dir.path());
        AppSettings::instance()->reload();
        ProjectDatabase::resetDatabasePath();
        AppSettings::instance()->setNetWork(QStringLiteral("127.0.0.2"), 5000);
        QVERIFY(PlanPushButton::savePlanName(3, QStringLiteral("Night")));
        QVERIFY(PlanPushButton::savePlanName(3, QStringLiteral("Late night"))); // renamed again
        AppSettings::instance()->setNetWork(QStringLiteral("127.0.0.3"), 5000);
        QVERIFY(PlanPushButton::savePlanName(1, QStringLiteral("O'Brien's \"room\"")));
        QCOMPARE(PlanPushButton::loadPlanNames(QStringLiteral("127.0.0.2")),
                 (Names{{3, QStringLiteral("Late night")}}));
        QCOMPARE(PlanPushButton::loadPlanNames(QStringLiteral("127.0.0.3")),
                 (Names{{1, QStringLiteral("O'Brien's \"room\"")}}));
        QVERIFY(PlanPushButton::loadPlanNames(QStringLiteral("127.0.0.4")).isEmpty());

        // Captions are numbered from 1, names keyed by button index from 0.
        QWidget host;
        QList<PlanPushButton *> buttons;
        for (int i = 0; i < 10; ++i)
            buttons.append(new PlanPushButton(&host));
        PlanPushButton::applyCaptions(buttons, {{2, QStringLiteral("Late night")}});
        QCOMPARE(buttons.at(2)->caption(), QStringLiteral("[3]Late night"));
        QCOMPARE(buttons.at(9)->caption(), QStringLiteral("[10]"));
        PlanPushButton::applyCaptions(buttons, {});
        QCOMPARE(buttons.at(2)->caption(), QStringLiteral("[3]"));
    }
    void longNamesAreCut()
    {
        QWidget host;
        auto &plan = *new PlanPushButton(&host);
        host.show();
        const QString whole = QStringLiteral("[7]Quarterly review in the large conference hall");
        plan.setNamedCaption(7, whole.mid(3));
        QCOMPARE(plan.toolTip(), whole);
        for (const QSize &size : {QSize(90, 47), QSize(2000, 47), QSize(60, 20)}) {
            plan.resize(size);
            const QString shown = plan.shownCaption();
            QFont font = plan.font();
            font.setPointSize(plan.fontPoint());
            const QFontMetrics metrics(font);
            const QStringList lines = shown.split(QLatin1Char('\n'));
            QVERIFY(lines.size() * metrics.lineSpacing() <= size.height() - 4);
            for (const QString &line : lines)
                QVERIFY2(metrics.horizontalAdvance(line) <= size.width() - 4, qPrintable(line));
            QVERIFY2(size.width() == 2000
                         ? shown == whole
                         : shown.startsWith("[7]") && shown.endsWith(QChar(0x2026)),
                     qPrintable(shown));
        }
        const QSize named = plan.sizeHint(); // the name takes no room from the row's other buttons
        plan.setNumberCaption(7);
        QVERIFY(plan.toolTip().isEmpty()); // a caption without a name needs no tooltip
        QCOMPARE(named, plan.sizeHint());
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
    void presetPicture()
    {
        PlanPushButton preset;
        preset.resize(90, 47);
        preset.setGrid(2, 4);
        preset.setPreview(3, {{1, {1, 2, 5, 6}}, {3, {3, 4}}, {7, {7, 8}}});
        preset.setGroupColors({QStringLiteral("#ff0000"), QStringLiteral("#0000ff")});
        preset.setPreviewMode();
        const QColor red(255, 0, 0), blue(0, 0, 255);
        // More groups than colours: the colours come round again.
        QCOMPARE(
            (QList<QColor>{preset.screenColor(6), preset.screenColor(4), preset.screenColor(8)}),
            (QList<QColor>{red, blue, red}));
        // The picture is really drawn, each screen in its place of the 2 x 4 grid.
        const QImage image = preset.grab().toImage();
        const QRectF area = preset.rect().adjusted(10, 10, -10, -10);
        const auto pixel = [&](int col, int row) {
            return QColor(image.pixel(int(area.left() + (col + 0.5) * area.width() / 4),
                                      int(area.top() + (row + 0.5) * area.height() / 2)));
        };
        QCOMPARE(pixel(1, 1), red);
        QCOMPARE(pixel(2, 0), blue);
        preset.setPreview(0, {{1, {1}}});
        QVERIFY(!preset.screenColor(2).isValid());
    }
};

QTEST_MAIN(TestPlanPushButton)
#include "tst_planpushbutton.moc"
