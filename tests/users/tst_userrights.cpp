#include "../common/datadirfixture.h"

#include "app/logindialog.h"
#include "uikit/dialogconfirm3btn.h"
#include "users/permissiondialog.h"
#include "users/permissionfunction.h"
#include "users/permissiongate.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

// From the administrator's clicks in the user dialogs to the checks made after the next login.
class TestUserRights : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;

    // Logs in through the login dialog and loads the rights as the main window does.
    static bool logIn(UserAccountStore &users, PermissionStore &permissions, const QString &name,
                      const QString &password)
    {
        LoginDialog login;
        login.setUserAccountStore(&users);
        child<QLineEdit>(&login, "usernameEdit")->setText(name);
        child<QLineEdit>(&login, "passwordEdit")->setText(password);
        child<QPushButton>(&login, "btnLogin")->click();
        if (login.result() != 1)
            return false;
        permissions.loadCurrentUser(AppSettings::instance()->currentUser());
        return true;
    }

    static void clickRow(Usermanagerdialog &dialog, const QString &name)
    {
        auto *table = child<QTableWidget>(&dialog, "tableWidget");
        const QList<QTableWidgetItem *> found = table->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        const QRect cell = table->visualItemRect(found.first());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void init() { m_fx.setUp(); }

    void deniedOutputHoldsAfterTheNextLogin()
    {
        UserAccountStore users;
        PermissionStore permissions;
        QVERIFY(logIn(users, permissions, QStringLiteral("ADMIN"), QStringLiteral("wexol482")));
        QCOMPARE(AppSettings::instance()->currentUserType(), 0);

        // The administrator adds a user and takes output 5 away from it.
        {
            Usermanagerdialog dialog(&permissions);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            child<QPushButton>(&dialog, "btnAdd")->click();
            QTest::keyClicks(child<QLineEdit>(&dialog, "usernameEdit"), QStringLiteral("viewer"));
            QTest::keyClicks(child<QLineEdit>(&dialog, "passwordEdit"), QStringLiteral("v-pw"));
            QTest::keyClicks(child<QLineEdit>(&dialog, "repeatEdit"), QStringLiteral("v-pw"));
            child<QPushButton>(&dialog, "btnSave")->click();
            QVERIFY(dialog.userNames().contains(QStringLiteral("viewer")));

            clickRow(dialog, QStringLiteral("viewer"));
            QCOMPARE(dialog.state(), Usermanagerdialog::UserSelected);
            bool confirmed = false;
            whenModal<PermissionDialog>([&confirmed](PermissionDialog *rights) {
                QCheckBox *output5 = rights->portBoxes(OutputPortKind).at(4);
                QCOMPARE(output5->text(), QStringLiteral("Output 5"));
                output5->click();
                whenModal<DialogConfirm3Btn>([&confirmed](DialogConfirm3Btn *confirm) {
                    confirmed = true;
                    child<QPushButton>(confirm, "btnYes")->click();
                });
                child<QPushButton>(rights, "btnClose")->click();
            });
            child<QPushButton>(&dialog, "btnPermission")->click();
            QVERIFY(confirmed);
        }

        // The administrator's own rights are untouched by the change.
        int warnings = 0;
        PermissionGate gate(&permissions);
        gate.setWarningHook([&warnings] { ++warnings; });
        QVERIFY(gate.checkPortPermission(5, OutputPortKind));

        QVERIFY(logIn(users, permissions, QStringLiteral("viewer"), QStringLiteral("v-pw")));
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
        QVERIFY(!gate.checkPortPermission(5, OutputPortKind));
        QCOMPARE(warnings, 1);
        QVERIFY(!gate.checkPortPermission(105, OutputPortKind, false));
        QCOMPARE(warnings, 1);
        QVERIFY(gate.checkPortPermission(4, OutputPortKind));
        QVERIFY(gate.checkPortPermission(5, InputPortKind));
        QVERIFY(gate.checkListPermission(UserFunction));

        QVERIFY(logIn(users, permissions, QStringLiteral("ADMIN"), QStringLiteral("wexol482")));
        QVERIFY(gate.checkPortPermission(5, OutputPortKind));
        QVERIFY(gate.checkPortPermission(105, OutputPortKind));
        QCOMPARE(warnings, 1);
    }
};

QTEST_MAIN(TestUserRights)
#include "tst_userrights.moc"
