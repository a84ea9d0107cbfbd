// Plan buttons: which presses click, flash or recall, in the bar and as plain buttons.
#include "../common/look.h"
#include "wall/planpushbutton.h"

#include <QButtonGroup>
#include <QtTest>

Q_DECLARE_METATYPE(Qt::MouseButton)

class TestPlanPushButton : public QObject
{
    Q_OBJECT

private slots:
    void mouse_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("seen"); // c: the group's click, f: the flash, d: a double click
        const int press = QTest::MousePress, click = QTest::MouseClick, dclick = QTest::MouseDClick;
        const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton;
        QTest::newRow("press right like left") << right << press << "cf";
        QTest::newRow("press middle ignored") << Qt::MiddleButton << press << "";
        QTest::newRow("release ends the flash") << left << click << "c";
        QTest::newRow("double left") << left << dclick << "fd";
        QTest::newRow("double right ignored") << right << dclick << "";
        // Plain mode is an ordinary button: clicks on a left release only, never flashes.
        QTest::newRow("plain left click") << left << click << "c";
        QTest::newRow("plain right click") << right << click << "";
    }
    void mouse()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, action);
        QWidget host;
        auto *plan = new PlanPushButton(&host);
        plan->setPlainMode(QByteArray(QTest::currentDataTag()).startsWith("plain"));
        plan->setCheckable(true);
        QButtonGroup group;
        group.addButton(plan, 4);
        QSignalSpy clicks(&group, &QButtonGroup::idClicked);
        QSignalSpy doubles(plan, &PlanPushButton::si_doubleClick);
        host.show();
        QTest::mouseEvent(QTest::MouseAction(action), plan, button, {}, {});
        QVERIFY_LOOK(QStringLiteral("plan-%1.txt").arg(QTest::currentDataTag()), &host);
        QTEST(QString(clicks == QList<QVariantList>{{4}} ? "c" : "") +
                  (plan->pressedLook() ? "f" : "") + (doubles.count() == 1 ? "d" : ""),
              "seen");
        // The flash ends by itself, even without a release.
        QTRY_VERIFY_WITH_TIMEOUT(!plan->pressedLook(), 2000);
    }
};

QTEST_MAIN(TestPlanPushButton)
#include "tst_planpushbutton.moc"
