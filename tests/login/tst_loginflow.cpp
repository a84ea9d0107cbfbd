#include "../common/datadirfixture.h"
#include "app/logindialog.h"
#include "app/loginflow.h"
#include "app/startup.h"
#include "storage/fileaccess.h"
#include "uikit/msgdlg.h"
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

int userId(const UserAccountStore &users, const QString &name)
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

    // The name is the one typed, or the configured one when login-free; a refused login is
    // given a wrong password. Re-login shows the dialog even in login-free mode.
    void startupAndRelogin_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("relogin");
        QTest::addColumn<bool>("withRights");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("outcome");
        const int in = LoginFlow::LoggedIn, out = LoginFlow::Rejected, free = LoginFlow::LoginFree;
        QTest::newRow("ordinary user") << 0 << false << true << "bob" << in;
        QTest::newRow("closed after a wrong password") << 0 << false << true << "bob" << out;
        QTest::newRow("login-free") << 1 << false << true << "bob" << free;
        QTest::newRow("login-free, no rights store") << 1 << false << false << "ADMIN" << free;
        QTest::newRow("re-login") << 1 << true << true << "bob" << in;
        QTest::newRow("re-login given up") << 1 << true << true << "bob" << out;
    }

    void startupAndRelogin()
    {
        QFETCH(int, model);
        QFETCH(bool, relogin);
        QFETCH(bool, withRights);
        QFETCH(QString, name);
        QFETCH(int, outcome);
        const QString password = outcome == LoginFlow::Rejected ? "bad" : "pw";
        UserAccountStore users;
        PermissionStore permissions;
        QVERIFY(users.addUser(QStringLiteral("bob"), QStringLiteral("pw")));
        QVERIFY(permissions.initUserPermissions(QStringLiteral("bob")));
        users.setLoginModel(model);
        AppSettings::instance()->setUserName(name);

        int runs = 0;
        LoginFlow flow(&users, withRights ? &permissions : nullptr);
        flow.setDialogRunner(typeAndLogIn(name, password, &runs));
        const auto got =
            relogin ? (flow.relogin() ? LoginFlow::LoggedIn : LoginFlow::Rejected) : flow.startup();
        QCOMPARE(int(got), outcome);
        QCOMPARE(runs, outcome == LoginFlow::LoginFree ? 0 : 1);
        // Even a refused name is the current one; its type and rights are only taken when let in.
        const bool in = outcome != LoginFlow::Rejected;
        QCOMPARE(AppSettings::instance()->currentUser(), name);
        QCOMPARE(AppSettings::instance()->currentUserType(), in && name == "ADMIN" ? 0 : 1);
        if (withRights)
            QCOMPARE(permissions.currentUserId(), in ? userId(users, name) : 1);
    }

    // Before any login: copies others can read are closed, and a database that cannot be used
    // is named with its error instead of the login, never altered.
    void startupCheck_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("message"); // after the path; empty: nothing shown
        QTest::newRow("readable by others") << "shared" << true << QString();
        QTest::newRow("not a database") << "garbage" << false << "\nfile is not a database\n";
        QTest::newRow("read-only") << "readonly" << true << "\nattempt to write a readonly";
    }
    void startupCheck()
    {
        QFETCH(QString, kind);
        QFETCH(bool, goesOn);
        QFETCH(QString, message);
        const QString db = m_fx.path("project.db");
        const QString exported = FileAccess::passwordFilePath();
        UserAccountStore().addUser(QStringLiteral("op"), QStringLiteral("pw"));
        QFile file(exported);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QFile::Permissions shared =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(db, shared));
        QVERIFY(QFile::setPermissions(exported, shared));
        if (kind == QLatin1String("garbage")) {
            QFile broken(db);
            QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
            broken.write(QByteArray("not a database\n").repeated(300));
        } else if (kind == QLatin1String("readonly")) {
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner));
            if (QFile(db).open(QIODevice::ReadWrite))
                QSKIP("file modes do not stop this user (root) from writing");
        }
        QFile before(db);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray content = before.readAll();

        QString shown;
        if (!message.isEmpty()) {
            whenModal<MsgDlg>([&shown](MsgDlg *box) {
                shown = box->message();
                box->on_btnOk_clicked();
            });
        }
        QCOMPARE(StartupCheck::run(), goesOn);
        QCOMPARE(shown.isEmpty(), message.isEmpty());
        if (!message.isEmpty())
            QVERIFY2(shown.contains(db + message), qPrintable(shown));
        QFile after(db);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), content);
        const QFile::Permissions others = QFile::ReadGroup | QFile::ReadOther;
        QCOMPARE(QFile::permissions(exported) & others, QFile::Permissions());
        if (kind != QLatin1String("readonly"))
            QCOMPARE(QFile::permissions(db) & others, QFile::Permissions());
    }

    // The application's style keeps hints muted, also in a field whose sheet colours its text.
    void hintsStayMuted()
    {
        configureApplication();
        const QColor muted(0x9a, 0xa5, 0xad);
        QCOMPARE(QApplication::palette().color(QPalette::PlaceholderText), muted);
        QLineEdit field;
        field.setStyleSheet(QStringLiteral("color: red"));
        field.ensurePolished();
        QCOMPARE(field.palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(field.palette().color(QPalette::PlaceholderText), muted);
    }
};

QTEST_MAIN(TestLoginFlow)
#include "tst_loginflow.moc"
