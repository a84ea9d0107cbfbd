#include "app/logindialog.h"
#include "app/loginflow.h"
#include "../common/datadirfixture.h"
#include "users/permissionstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// Types the credentials and presses Login, as the operator would in the modal dialog.
LoginFlow::DialogRunner typeAndLogIn(const QString &name, const QString &password, int *runs)
{
    return [=](LoginDialog &dlg) {
        ++*runs;
        dlg.show();
        child<QLineEdit>(&dlg, "usernameEdit")->setText(name);
        child<QLineEdit>(&dlg, "passwordEdit")->setText(password);
        child<QPushButton>(&dlg, "btnLogin")->click();
        // A failed login leaves the dialog open; the operator gives up with the close button.
        if (dlg.isVisible())
            child<QPushButton>(&dlg, "btnClose")->click();
        return dlg.result();
    };
}

int userId(UserAccountStore &users, const QString &name)
{
    for (const QVariantList &row : users.allUsers()) {
        if (row.value(1).toString() == name)
            return row.value(0).toInt();
    }
    return -1;
}
} // namespace

class TestLoginFlow : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;

private slots:
    void init() { m_fx.setUp(); }

    void startupWithTheDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("userType");
        QTest::newRow("administrator") << "ADMIN" << "wexol482" << int(LoginFlow::LoggedIn) << 0;
        QTest::newRow("ordinary user") << "bob" << "pw" << int(LoginFlow::LoggedIn) << 1;
        QTest::newRow("closed after a wrong password") << "bob"
                                                       << "bad" << int(LoginFlow::Rejected) << 1;
    }

    void startupWithTheDialog()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(int, outcome);
        QFETCH(int, userType);
        UserAccountStore users;
        PermissionStore permissions;
        QVERIFY(users.addUser(QStringLiteral("bob"), QStringLiteral("pw")));
        QVERIFY(permissions.initUserPermissions(QStringLiteral("bob")));
        QCOMPARE(users.loginModel(), 0);

        int runs = 0;
        LoginFlow flow(&users, &permissions);
        flow.setDialogRunner(typeAndLogIn(name, password, &runs));
        QCOMPARE(int(flow.startup()), outcome);
        QCOMPARE(runs, 1);
        QCOMPARE(AppSettings::instance()->currentUserType(), userType);
        if (outcome == LoginFlow::LoggedIn)
            QCOMPARE(permissions.currentUserId(), userId(users, name));
        else
            QCOMPARE(permissions.currentUserId(), 1);
    }

    void loginFreeUsesTheConfiguredUser()
    {
        UserAccountStore users;
        PermissionStore permissions;
        QVERIFY(users.addUser(QStringLiteral("carol"), QStringLiteral("pw")));
        QVERIFY(permissions.initUserPermissions(QStringLiteral("carol")));
        users.setLoginModel(1);
        AppSettings::instance()->setUserName(QStringLiteral("carol"));

        int runs = 0;
        LoginFlow flow(&users, &permissions);
        flow.setDialogRunner(typeAndLogIn(QString(), QString(), &runs));
        QCOMPARE(flow.startup(), LoginFlow::LoginFree);
        QCOMPARE(runs, 0);
        QCOMPARE(AppSettings::instance()->currentUser(), QStringLiteral("carol"));
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
        // Carol's own rights, not those of whoever was named before.
        QCOMPARE(permissions.currentUserId(), userId(users, QStringLiteral("carol")));
    }

    void loginFreeWithoutPermissionStore()
    {
        UserAccountStore users;
        users.setLoginModel(1);
        LoginFlow flow(&users, nullptr);
        QCOMPARE(flow.startup(), LoginFlow::LoginFree);
        QCOMPARE(AppSettings::instance()->currentUser(), QStringLiteral("ADMIN"));
        QCOMPARE(AppSettings::instance()->currentUserType(), 0);
    }

    void reloginSwitchesUserAndRights()
    {
        UserAccountStore users;
        PermissionStore permissions;
        QVERIFY(users.addUser(QStringLiteral("dave"), QStringLiteral("pw")));
        QVERIFY(permissions.initUserPermissions(QStringLiteral("dave")));
        int runs = 0;
        LoginFlow flow(&users, &permissions);
        flow.setDialogRunner(
            typeAndLogIn(QStringLiteral("ADMIN"), QStringLiteral("wexol482"), &runs));
        QCOMPARE(flow.startup(), LoginFlow::LoggedIn);
        QCOMPARE(AppSettings::instance()->currentUserType(), 0);

        flow.setDialogRunner(typeAndLogIn(QStringLiteral("dave"), QStringLiteral("pw"), &runs));
        QVERIFY(flow.relogin());
        QCOMPARE(AppSettings::instance()->currentUser(), QStringLiteral("dave"));
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);
        QCOMPARE(permissions.currentUserId(), userId(users, QStringLiteral("dave")));

        flow.setDialogRunner([](LoginDialog &dlg) {
            dlg.show();
            dlg.on_btnClose_clicked();
            return dlg.result();
        });
        QVERIFY(!flow.relogin());
        QCOMPARE(runs, 2);
    }
};

QTEST_MAIN(TestLoginFlow)
#include "tst_loginflow.moc"
