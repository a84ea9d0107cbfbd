#include "../common/datadirfixture.h"
#include "../common/modalwatcher.h"
#include "app/logindialog.h"
#include "app/loginflow.h"
#include "app/startup.h"
#include "protocol/messagedistance.h"
#include "storage/fileaccess.h"
#include "users/permissionstore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
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
} // namespace

class TestLoginDialog : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    QScopedPointer<MessageDistance> m_client;

    QString tip(LoginDialog &dlg) { return child<QLabel>(&dlg, "labelTip")->text(); }

    // Shows the dialog with the given password typed and the remember box as asked.
    void prepare(LoginDialog &dlg, UserAccountStore *users, const QString &password, bool remember)
    {
        dlg.setUserAccountStore(users);
        child<QLineEdit>(&dlg, "passwordEdit")->setText(password);
        child<QCheckBox>(&dlg, "checkBox_memory")->setChecked(remember);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.setResult(-1);
    }

private slots:
    void init()
    {
        m_fx.setUp();
        m_client.reset(new MessageDistance);
    }

    void cleanup()
    {
        m_client->closeConnections();
        m_client.reset();
    }

    // A key typed into the target or a click on it; ADMIN has the right password, bob not.
    void logIn_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("remember");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("button") << "btnLogin" << 0 << false << true;
        QTest::newRow("Return") << "passwordEdit" << int(Qt::Key_Return) << true << true;
        QTest::newRow("Enter in the name") << "usernameEdit" << int(Qt::Key_Enter) << true << true;
        QTest::newRow("wrong, remembered") << "btnLogin" << 0 << true << false;
    }

    void logIn()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(bool, remember);
        QFETCH(bool, loggedIn);
        const QString name = loggedIn ? QStringLiteral("ADMIN") : QStringLiteral("bob");
        const QString password = loggedIn ? QStringLiteral("wexol482") : QStringLiteral("wrong");
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("bob"), QStringLiteral("right")));
        QVERIFY(users.saveRememberedPassword(QStringLiteral("old")));
        AppSettings::instance()->setUserName(name);
        LoginDialog dlg(nullptr, m_client.data());
        dlg.setUserAccountStore(&users);
        // The last name and a remembered password are offered.
        QCOMPARE(child<QLineEdit>(&dlg, "usernameEdit")->text(), name);
        QCOMPARE(child<QLineEdit>(&dlg, "passwordEdit")->text(), QStringLiteral("old"));
        QVERIFY(child<QCheckBox>(&dlg, "checkBox_memory")->isChecked());
        prepare(dlg, &users, password, remember);
        auto *widget = child<QWidget>(&dlg, target.toLatin1());
        if (key)
            QTest::keyClick(widget, Qt::Key(key));
        else
            qobject_cast<QPushButton *>(widget)->click();

        QCOMPARE(dlg.result(), loggedIn ? 1 : -1);
        QCOMPARE(dlg.isVisible(), !loggedIn);
        QCOMPARE(AppSettings::instance()->currentUser(), name);
        QCOMPARE(AppSettings::instance()->currentUserType(), loggedIn ? 0 : 1);
        // Password choice, name and address are saved whatever the outcome.
        QCOMPARE(users.rememberedPassword(), remember ? password : QString());
        QCOMPARE(users.isRememberPassword(), remember);
        QCOMPARE(m_fx.stored("User/Username").toString(), name);
        QCOMPARE(m_fx.stored("NetWork/Ip").toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(m_fx.stored("NetWork/Port").toInt(), 4001);
        QCOMPARE(m_fx.stored("Type/type").toInt(), int(Dev0409S));
        if (!loggedIn) {
            QCOMPARE(tip(dlg), QStringLiteral("username or password error!"));
            QTRY_COMPARE_WITH_TIMEOUT(tip(dlg), QString(), LoginDialog::TipMs + 3000);
        }
    }

    // Notices from a real loopback connection: only a login let in names the user, nothing saved.
    void connectionNotices_data()
    {
        QTest::addColumn<bool>("withStore");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("tipText");
        QTest::newRow("valid") << true << false << "wexol482" << QString();
        QTest::newRow("wrong") << true << false << "nope"
                               << "username or password error!";
        QTest::newRow("no account store") << false << false << "wexol482"
                                          << "connect successful but software error!";
        QTest::newRow("dialog closed before") << true << true << "wexol482" << QString();
    }

    void connectionNotices()
    {
        QFETCH(bool, withStore);
        QFETCH(bool, closed);
        QFETCH(QString, password);
        QFETCH(QString, tipText);
        UserAccountStore users;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        LoginDialog dlg(nullptr, m_client.data());
        prepare(dlg, withStore ? &users : nullptr, password, true);
        if (closed)
            child<QPushButton>(&dlg, "btnClose")->click();
        QSignalSpy connected(m_client.data(), &MessageDistance::connectSuccessFulSig);
        QSignalSpy failed(m_client.data(), &MessageDistance::connectFailureSig);
        m_client->connectToDevice(QStringLiteral("127.0.0.1"), server.serverPort());
        QVERIFY(server.waitForNewConnection(10000));
        QScopedPointer<QTcpSocket> peer(server.nextPendingConnection());
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 10000);
        const bool in = !closed && tipText.isEmpty();
        QCOMPARE(tip(dlg), tipText);
        QCOMPARE(dlg.result(), closed ? 0 : in ? 1 : -1);
        QCOMPARE(dlg.isVisible(), !tipText.isEmpty());
        QCOMPARE(AppSettings::instance()->currentUser(), in ? QStringLiteral("ADMIN") : QString());
        QCOMPARE(AppSettings::instance()->currentUserType(), in ? 0 : 1);
        QVERIFY(!users.isRememberPassword());
        QVERIFY(!m_fx.stored("User/Username").isValid());
        // The device goes away: the failure is shown on an open dialog only.
        server.close();
        peer->abort();
        QTRY_VERIFY_WITH_TIMEOUT(!failed.isEmpty(), 10000);
        QCOMPARE(tip(dlg), in || closed ? QString() : QStringLiteral("connect fail!"));
    }

    // Login-free takes the configured name; re-login shows the dialog even then.
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
            QCOMPARE(permissions.currentUserId(), in && name == "bob" ? 2 : 1);
    }

    // Before login: copies others can read are closed; an unusable database is named, not altered.
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
        QFETCH(QString, message);
        const QString db = m_fx.path("project.db");
        const QString exported = FileAccess::passwordFilePath();
        UserAccountStore().addUser(QStringLiteral("op"), QStringLiteral("pw"));
        QVERIFY(QFile(exported).open(QIODevice::WriteOnly));
        const QFile::Permissions others = QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | others));
        QVERIFY(QFile::setPermissions(exported, QFile::ReadOwner | QFile::WriteOwner | others));
        if (kind == QLatin1String("garbage")) {
            QFile broken(db);
            QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
            broken.write(QByteArray("not a database\n").repeated(300));
        } else if (kind == QLatin1String("readonly")) {
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner));
            if (QFile(db).open(QIODevice::ReadWrite))
                QSKIP("file modes do not stop this user (root) from writing");
        }
        const auto content = [&db] {
            QFile f(db);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray before = content();
        ModalWatcher watcher;
        QTEST(StartupCheck::run(), "goesOn");
        QCOMPARE(watcher.count(), int(!message.isEmpty()));
        const QString shown = watcher.lines().join('\n');
        QVERIFY2(message.isEmpty() || shown.contains(db + message), qPrintable(shown));
        QCOMPARE(content(), before);
        QCOMPARE(QFile::permissions(exported) & others, QFile::Permissions());
        if (kind != QLatin1String("readonly"))
            QCOMPARE(QFile::permissions(db) & others, QFile::Permissions());
    }
};

QTEST_MAIN(TestLoginDialog)
#include "tst_logindialog.moc"
