#include "../common/datadirfixture.h"
#include "app/logindialog.h"
#include "protocol/messagedistance.h"
#include "uikit/msgdlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

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

    void eyeButton()
    {
        LoginDialog dlg(nullptr, m_client.data());
        auto *edit = child<QLineEdit>(&dlg, "passwordEdit");
        auto *eye = child<QPushButton>(&dlg, "btnPasswordShow");
        for (const bool shown : {false, true, false}) {
            QCOMPARE(edit->echoMode(), shown ? QLineEdit::Normal : QLineEdit::Password);
            // The image shown when not hovered is the first in the style sheet.
            QCOMPARE(
                eye->styleSheet().section(QLatin1String("url("), 1, 1).section(')', 0, 0),
                QString(shown ? ":/Images/login/Show_Pass.png" : ":/Images/login/Hide_pass.png"));
            eye->click();
        }
    }

    // A key typed into the target, or a click on it; the administrator gives the right password,
    // bob a wrong one.
    void logIn_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("remember");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("button") << "btnLogin" << 0 << false << true;
        QTest::newRow("Return") << "passwordEdit" << int(Qt::Key_Return) << true << true;
        QTest::newRow("Enter in the name field")
            << "usernameEdit" << int(Qt::Key_Enter) << true << true;
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
        QCOMPARE(users.isRememberPassword(), remember);
        QCOMPARE(users.rememberedPassword(), remember ? password : QString());
        QCOMPARE(m_fx.stored("User/Username").toString(), name);
        QCOMPARE(m_fx.stored("NetWork/Ip").toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(m_fx.stored("NetWork/Port").toInt(), 4001);
        QCOMPARE(m_fx.stored("Type/type").toInt(), int(Dev0409S));
        if (loggedIn)
            return;
        QCOMPARE(tip(dlg), QStringLiteral("username or password error!"));
        QTRY_COMPARE_WITH_TIMEOUT(tip(dlg), QString(), LoginDialog::TipMs + 3000);
    }

    // A database fault is not a wrong password: the operator is told what and where; only a
    // failure to remember the password still lets a known user in.
    void databaseFaultsAreNamed_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("garbage") << "garbage"
                                 << "project.db: file is not a database" << false;
        QTest::newRow("directory") << "directory"
                                   << "project.db: not a file" << false;
        QTest::newRow("refuse") << "refuse"
                                << "project.db: read-only" << true;
    }
    void databaseFaultsAreNamed()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(bool, loggedIn);
        UserAccountStore users;
        if (fault == QLatin1String("refuse")) {
            QVERIFY(DataDirFixture::rawSql(
                QStringLiteral("create trigger refuse before insert on PasswordTable begin "
                               "select raise(abort, 'read-only'); end")));
        } else {
            QVERIFY(QFile::remove(m_fx.path("project.db")));
            if (fault == QLatin1String("directory")) {
                QVERIFY(QDir(m_fx.dir->path()).mkdir(QStringLiteral("project.db")));
            } else {
                QFile file(m_fx.path("project.db"));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray(8192, 'x'));
            }
        }
        LoginDialog dlg(nullptr, m_client.data());
        child<QLineEdit>(&dlg, "usernameEdit")->setText(QStringLiteral("ADMIN"));
        prepare(dlg, &users, QStringLiteral("wexol482"), true);
        QString shown;
        whenModal<MsgDlg>([&shown](MsgDlg *box) {
            shown = box->message();
            box->on_btnOk_clicked();
        });
        child<QPushButton>(&dlg, "btnLogin")->click();

        QVERIFY2(shown.contains(m_fx.path(message)), qPrintable(shown));
        QCOMPARE(dlg.result(), loggedIn ? 1 : -1);
        if (!loggedIn)
            QCOMPARE(tip(dlg), QStringLiteral("The user list cannot be read!"));
    }

    // Connection notices from a real loopback connection: only a login let in names the user,
    // and nothing of the Login button's saving runs on this path.
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
};

QTEST_MAIN(TestLoginDialog)
#include "tst_logindialog.moc"
