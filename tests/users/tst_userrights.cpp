#include "../common/datadirfixture.h"

#include "app/logindialog.h"
#include "uikit/dialogconfirm3btn.h"
#include "users/permissiondialog.h"
#include "users/permissionfunction.h"
#include "users/permissiongate.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QCheckBox>
#include <QLabel>
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
    static void logIn(PermissionStore &permissions, const QString &name, const QString &password,
                      int type)
    {
        UserAccountStore users;
        LoginDialog login;
        login.setUserAccountStore(&users);
        child<QLineEdit>(&login, "usernameEdit")->setText(name);
        child<QLineEdit>(&login, "passwordEdit")->setText(password);
        child<QPushButton>(&login, "btnLogin")->click();
        QCOMPARE(login.result(), 1);
        QCOMPARE(AppSettings::instance()->currentUserType(), type);
        permissions.loadCurrentUser(AppSettings::instance()->currentUser());
    }

private slots:
    void init() { m_fx.setUp(); }

    void deniedOutputHoldsAfterTheNextLogin()
    {
        PermissionStore permissions;
        logIn(permissions, QStringLiteral("ADMIN"), QStringLiteral("wexol482"), 0);

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

            auto *table = child<QTableWidget>(&dialog, "tableWidget");
            const QList<QTableWidgetItem *> found =
                table->findItems(QStringLiteral("viewer"), Qt::MatchExactly);
            QVERIFY(!found.isEmpty());
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(found.first()).center());
            QString title;
            whenModal<PermissionDialog>([&](PermissionDialog *rights) {
                title = child<QLabel>(rights, "titleLabel")->text();
                QCheckBox *output5 = rights->portBoxes(OutputPortKind).at(4);
                QCOMPARE(output5->text(), QStringLiteral("Output 5"));
                output5->click();
                whenModal<DialogConfirm3Btn>([](DialogConfirm3Btn *confirm) {
                    child<QPushButton>(confirm, "btnYes")->click();
                });
                child<QPushButton>(rights, "btnClose")->click();
            });
            child<QPushButton>(&dialog, "btnPermission")->click();
            QCOMPARE(title, QStringLiteral("Permission Management  User: viewer"));
        }

        int warnings = 0;
        PermissionGate gate(&permissions);
        gate.setWarningHook([&warnings] { ++warnings; });
        logIn(permissions, QStringLiteral("viewer"), QStringLiteral("v-pw"), 1);
        QVERIFY(!gate.checkPortPermission(5, OutputPortKind));
        QCOMPARE(warnings, 1);

        // The administrator's own rights are untouched by the change.
        logIn(permissions, QStringLiteral("ADMIN"), QStringLiteral("wexol482"), 0);
        QVERIFY(gate.checkPortPermission(5, OutputPortKind));
        QCOMPARE(warnings, 1);
    }
};

QTEST_MAIN(TestUserRights)
#include "tst_userrights.moc"
