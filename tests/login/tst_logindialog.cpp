#include "app/logindialog.h"
#include "../common/datadirfixture.h"
#include "protocol/messagedistance.h"

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

    void constructionFillsTheLastName()
    {
        AppSettings::instance()->setUserName(QStringLiteral("operator"));
        LoginDialog dlg(nullptr, m_client.data());
        QCOMPARE(child<QLineEdit>(&dlg, "usernameEdit")->text(), QStringLiteral("operator"));
        QCOMPARE(child<QLineEdit>(&dlg, "passwordEdit")->echoMode(), QLineEdit::Password);
        QCOMPARE(tip(dlg), QString());
    }

    void freshDatabaseAdminLogsIn()
    {
        UserAccountStore users;
        LoginDialog dlg(nullptr, m_client.data());
        prepare(dlg, &users, QStringLiteral("wexol482"), false);
        QCOMPARE(child<QLineEdit>(&dlg, "usernameEdit")->text(), QStringLiteral("ADMIN"));
        child<QPushButton>(&dlg, "btnLogin")->click();

        QCOMPARE(dlg.result(), 1);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(AppSettings::instance()->currentUser(), QStringLiteral("ADMIN"));
        QCOMPARE(AppSettings::instance()->currentUserType(), 0);
        QCOMPARE(m_fx.stored("NetWork/Ip").toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(m_fx.stored("NetWork/Port").toInt(), 4001);
        QCOMPARE(m_fx.stored("User/Username").toString(), QStringLiteral("ADMIN"));
        QCOMPARE(m_fx.stored("Type/type").toInt(), int(Dev0409S));
        QVERIFY(!users.isRememberPassword());
    }

    void wrongPasswordWithRememberTicked()
    {
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("bob"), QStringLiteral("right")));
        LoginDialog dlg(nullptr, m_client.data());
        child<QLineEdit>(&dlg, "usernameEdit")->setText(QStringLiteral("bob"));
        prepare(dlg, &users, QStringLiteral("wrong"), true);
        child<QPushButton>(&dlg, "btnLogin")->click();

        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), -1);
        QCOMPARE(tip(dlg), QStringLiteral("username or password error!"));
        QVERIFY(child<QLabel>(&dlg, "labelTip")->isVisible());
        // The wrong password is remembered and the name and address saved all the same.
        QVERIFY(users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QStringLiteral("wrong"));
        QCOMPARE(m_fx.stored("User/Username").toString(), QStringLiteral("bob"));
        QCOMPARE(m_fx.stored("NetWork/Ip").toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(AppSettings::instance()->currentUser(), QStringLiteral("bob"));
        QCOMPARE(AppSettings::instance()->currentUserType(), 1);

        // The tip goes away by itself.
        QTRY_COMPARE_WITH_TIMEOUT(tip(dlg), QString(), LoginDialog::TipMs + 3000);
    }

    void rememberedPasswordIsOfferedAndDroppedWhenUnticked()
    {
        UserAccountStore users;
        QVERIFY(users.saveRememberedPassword(QStringLiteral("wexol482")));
        LoginDialog dlg(nullptr, m_client.data());
        dlg.setUserAccountStore(&users);
        QVERIFY(child<QCheckBox>(&dlg, "checkBox_memory")->isChecked());
        QCOMPARE(child<QLineEdit>(&dlg, "passwordEdit")->text(), QStringLiteral("wexol482"));

        // Unticked, and the login then fails: the stored password is gone anyway.
        prepare(dlg, &users, QStringLiteral("typo"), false);
        child<QPushButton>(&dlg, "btnLogin")->click();
        QVERIFY(dlg.isVisible());
        QVERIFY(!users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
    }

    void returnAndEnterLogIn_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("Return in the password field") << int(Qt::Key_Return) << "passwordEdit"
                                                      << "wexol482" << true;
        QTest::newRow("Enter in the password field") << int(Qt::Key_Enter) << "passwordEdit"
                                                     << "wexol482" << true;
        QTest::newRow("Return in the name field") << int(Qt::Key_Return) << "usernameEdit"
                                                  << "wexol482" << true;
        QTest::newRow("Return with a wrong password") << int(Qt::Key_Return) << "passwordEdit"
                                                      << "nope" << false;
    }

    void returnAndEnterLogIn()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(QString, password);
        QFETCH(bool, loggedIn);
        UserAccountStore users;
        LoginDialog dlg(nullptr, m_client.data());
        prepare(dlg, &users, password, true);
        QWidget *target = child<QWidget>(&dlg, focus.toLatin1());
        QTest::keyClick(target, Qt::Key(key));

        QCOMPARE(dlg.result(), loggedIn ? 1 : -1);
        QCOMPARE(dlg.isVisible(), !loggedIn);
        // Steps that run whatever the outcome.
        QCOMPARE(users.rememberedPassword(), password);
        QCOMPARE(m_fx.stored("User/Username").toString(), QStringLiteral("ADMIN"));
        QCOMPARE(tip(dlg), loggedIn ? QString() : QStringLiteral("username or password error!"));
    }

    void closeButtonEndsWithZero()
    {
        UserAccountStore users;
        LoginDialog dlg(nullptr, m_client.data());
        prepare(dlg, &users, QStringLiteral("wexol482"), false);
        child<QPushButton>(&dlg, "btnClose")->click();
        QCOMPARE(dlg.result(), 0);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!m_fx.stored("User/Username").isValid());
    }

    void eyeButtonShowsAndHidesThePassword()
    {
        LoginDialog dlg(nullptr, m_client.data());
        auto *edit = child<QLineEdit>(&dlg, "passwordEdit");
        auto *eye = child<QPushButton>(&dlg, "btnPasswordShow");
        const auto normalImage = [eye] {
            const QString style = eye->styleSheet();
            const int at = style.indexOf(QLatin1String("url("));
            return style.mid(at + 4, style.indexOf(QLatin1Char(')'), at) - at - 4);
        };
        QCOMPARE(normalImage(), QStringLiteral(":/Images/login/Hide_pass.png"));
        eye->click();
        QCOMPARE(edit->echoMode(), QLineEdit::Normal);
        QCOMPARE(normalImage(), QStringLiteral(":/Images/login/Show_Pass.png"));
        eye->click();
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QCOMPARE(normalImage(), QStringLiteral(":/Images/login/Hide_pass.png"));
    }

    // The device client's connection notices, from a real connection on loopback.
    void connectionNotices_data()
    {
        QTest::addColumn<bool>("withStore");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("tipText");
        QTest::newRow("valid typed login") << true << "wexol482" << 1 << QString();
        QTest::newRow("wrong typed login") << true << "nope" << -1 << "username or password error!";
        QTest::newRow("no account store")
            << false << "wexol482" << -1 << "connect successful but software error!";
    }

    void connectionNotices()
    {
        QFETCH(bool, withStore);
        QFETCH(QString, password);
        QFETCH(int, result);
        QFETCH(QString, tipText);
        UserAccountStore users;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        LoginDialog dlg(nullptr, m_client.data());
        prepare(dlg, withStore ? &users : nullptr, password, true);

        m_client->connectToDevice(QStringLiteral("127.0.0.1"), server.serverPort());
        QVERIFY(server.waitForNewConnection(10000));
        QScopedPointer<QTcpSocket> peer(server.nextPendingConnection());
        if (result == 1) {
            QTRY_COMPARE_WITH_TIMEOUT(dlg.result(), 1, 10000);
            QVERIFY(!dlg.isVisible());
            QCOMPARE(AppSettings::instance()->currentUser(), QStringLiteral("ADMIN"));
            QCOMPARE(AppSettings::instance()->currentUserType(), 0);
            // Nothing of the Login button's saving runs on this path.
            QVERIFY(!users.isRememberPassword());
            QVERIFY(!m_fx.stored("User/Username").isValid());
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(tip(dlg), tipText, 10000);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), -1);

        // The device goes away: the failure is shown.
        server.close();
        peer->abort();
        QTRY_COMPARE_WITH_TIMEOUT(tip(dlg), QStringLiteral("connect fail!"), 10000);
        QVERIFY(dlg.isVisible());
    }

    void closedDialogIgnoresLaterNotices()
    {
        UserAccountStore users;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        LoginDialog dlg(nullptr, m_client.data());
        prepare(dlg, &users, QStringLiteral("wexol482"), false);
        dlg.on_btnClose_clicked();
        QCOMPARE(dlg.result(), 0);

        QSignalSpy connected(m_client.data(), &MessageDistance::connectSuccessFulSig);
        m_client->connectToDevice(QStringLiteral("127.0.0.1"), server.serverPort());
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(dlg.result(), 0);
        QCOMPARE(AppSettings::instance()->currentUser(), QString());
    }
};

QTEST_MAIN(TestLoginDialog)
#include "tst_logindialog.moc"
