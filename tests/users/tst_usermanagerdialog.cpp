#include "../common/datadirfixture.h"

#include "uikit/msgdlg.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

namespace {
QStringList storedNames()
{
    QStringList names;
    for (const QVariantList &row : UserAccountStore().allUsers())
        names.append(row.at(1).toString());
    return names;
}

// The password file exactly as a QSettings reader sees it, and what it should hold.
QMap<QString, QString> passwordFile(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    QMap<QString, QString> entries;
    for (const QString &key : file.allKeys())
        entries.insert(key, file.value(key).toString());
    return entries;
}

QMap<QString, QString> expectedFile()
{
    QMap<QString, QString> entries;
    for (const QVariantList &row : UserAccountStore().allUsers())
        entries.insert(QStringLiteral("UserList/") + row.at(1).toString(), row.at(3).toString());
    return entries;
}
} // namespace

class TestUsermanagerDialog : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;

    static void clickUser(Usermanagerdialog &dialog, const QString &name)
    {
        const int row = dialog.userNames().indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        child<QTableWidget>(&dialog, "tableWidget")->selectRow(row);
        dialog.on_tableWidget_cellClicked(row, 1);
    }

    // Selects a user (none: adds one), types into the edits and saves.
    static void save(Usermanagerdialog &dialog, const QString &selected, const QString &name,
                     const QString &password, const QString &repeat)
    {
        if (selected.isEmpty()) {
            dialog.on_btnAdd_clicked();
        } else {
            clickUser(dialog, selected);
            dialog.on_btnEdit_clicked();
        }
        auto *nameEdit = child<QLineEdit>(&dialog, "usernameEdit");
        if (nameEdit->isEnabled())
            nameEdit->setText(name);
        child<QLineEdit>(&dialog, "passwordEdit")->setText(password);
        child<QLineEdit>(&dialog, "repeatEdit")->setText(repeat);
        dialog.on_btnSave_clicked();
    }

private slots:
    void init()
    {
        m_fx.setUp();
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("op-pw")));
        QVERIFY(users.addUser(QStringLiteral("guest"), QStringLiteral("guest-pw")));
    }

    void stateTable_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("enabled"); // Add Edit Del Save Permission name password repeat
        QTest::addColumn<QString>("name");
        auto row = [](const char *tag, const QStringList &steps, int state, const char *enabled,
                      const char *name) {
            QTest::newRow(tag) << steps << state << QString(enabled) << QString(name);
        };
        row("after construction", {}, 0, "10000000", "");
        row("ordinary user clicked", {"op"}, 1, "11101000", "op");
        row("administrator clicked", {"ADMIN"}, 3, "11000000", "ADMIN");
        row("add", {"op", "add"}, 2, "00010111", "");
        row("edit administrator keeps the name", {"ADMIN", "edit"}, 2, "00010011", "ADMIN");
        row("another row while editing", {"ADMIN", "edit", "op"}, 1, "11101000", "op");
        row("save returns to idle", {"save"}, 0, "10000000", "");
    }
    void stateTable()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, state);
        QFETCH(QString, name);
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        for (const QString &step : steps) {
            if (step == QLatin1String("add"))
                dialog.on_btnAdd_clicked();
            else if (step == QLatin1String("edit"))
                dialog.on_btnEdit_clicked();
            else if (step == QLatin1String("save"))
                save(dialog, QStringLiteral("op"), QStringLiteral("op"), QStringLiteral("n"),
                     QStringLiteral("n"));
            else
                clickUser(dialog, step);
        }
        QCOMPARE(int(dialog.state()), state);
        QString enabled;
        for (const char *w : {"btnAdd", "btnEdit", "btnDel", "btnSave", "btnPermission",
                              "usernameEdit", "passwordEdit", "repeatEdit"})
            enabled +=
                child<QWidget>(&dialog, w)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        QTEST(enabled, "enabled");
        QCOMPARE(child<QLineEdit>(&dialog, "usernameEdit")->text(), name);
        if (state == 0)
            QVERIFY(child<QTableWidget>(&dialog, "tableWidget")->selectedItems().isEmpty());
    }

    void saveUser_data()
    {
        QTest::addColumn<QString>("selected"); // empty: Add
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QStringList>("accounts"); // "id name=password", without "third"
        QTest::addColumn<QString>("refusedBy");    // statement the database refuses, if any
        const QString mismatch = QStringLiteral("two password not equation!");
        const QString exists = QStringLiteral("user have exsits!");
        const QStringList base{"1 ADMIN=wexol482", "2 op=op-pw", "3 guest=guest-pw"};
        auto row = [](const char *tag, const QString &selected, const QString &n, const QString &p,
                      const QString &r, const QString &tip, const QStringList &accounts) {
            QTest::newRow(tag) << selected << n << p << r << tip << accounts << QString();
        };
        auto plus = [&base](const QString &added) { return base + QStringList{added}; };
        row("add", "", "new", "pw", "pw", "", plus("5 new=pw"));
        row("blanks compared trimmed, stored as typed", "", "new", " pw", "pw  ", "",
            plus("5 new=pw  "));
        row("inner blanks count", "", "new", "p w", "pw", mismatch, base);
        row("password empty beats mismatch", "", "new", "", "x", "password empty!", base);
        row("empty name stores nothing, silently", "", "", "pw", "pw", "", base);
        row("add a taken name", "", "guest", "pw", "pw", exists, base);
        row("add the administrator name", "", "ADMIN", "pw", "pw", exists, base);
        row("quote, blank and '=' in name and password", "", "o'neil x", "it's=", "it's=", "",
            plus("5 o'neil x=it's="));
        row("non-latin name", "", QStringLiteral("操作员"), QStringLiteral("密码"),
            QStringLiteral("密码"), "", plus(QStringLiteral("5 操作员=密码")));
        row("rename keeps the id", "op", "boss", "new-pw ", "new-pw", "",
            {"1 ADMIN=wexol482", "2 boss=new-pw", "3 guest=guest-pw"});
        row("same name is accepted", "op", "op", "new-pw ", "new-pw", "",
            {"1 ADMIN=wexol482", "2 op=new-pw", "3 guest=guest-pw"});
        row("rename to another user's name", "op", "guest", "new-pw", "new-pw", exists, base);
        row("rename to an empty name", "op", "", "new-pw", "new-pw", "username empty!", base);
        row("administrator password", "ADMIN", "ADMIN", "new-pw", "new-pw", "",
            {"1 ADMIN=new-pw", "2 op=op-pw", "3 guest=guest-pw"});
        // password.txt could not list them apart from other names, or at all.
        const QString badName =
            QStringLiteral("user name cannot hold / or \\ or begin or end with a blank!");
        for (const char *name : {"a/b", "a//b", "/a/b", "a\\b", " a", "a "}) {
            const QByteArray tag = QByteArray("'") + name + "'";
            row(("add " + tag).constData(), "", name, "pw", "pw", badName, base);
            row(("rename to " + tag).constData(), "op", name, "pw", "pw", badName, base);
        }
        row("add a name differing in case only", "", "GUEST", "pw", "pw", exists, base);
        row("rename to own name in other case", "op", "OP", "pw", "pw", "",
            {"1 ADMIN=wexol482", "2 OP=pw", "3 guest=guest-pw"});
        // A database that takes no writes: the operator is told, and nothing typed is lost.
        auto refused = [&](const char *tag, const char *selected, const char *event) {
            QTest::newRow(tag) << selected << "new"
                               << "pw"
                               << "pw"
                               << "" << base << event;
        };
        refused("add refused by the database", "", "insert");
        refused("rename refused by the database", "op", "update");
    }
    void saveUser()
    {
        QFETCH(QString, selected);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, repeat);
        QFETCH(QString, tip);
        QFETCH(QStringList, accounts);
        QFETCH(QString, refusedBy);
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        // A finished Add must not turn a later Edit into another insert.
        save(dialog, QString(), QStringLiteral("third"), QStringLiteral("a"), QStringLiteral("a"));
        QString message;
        if (!refusedBy.isEmpty()) {
            QVERIFY(DataDirFixture::rawSql(
                QStringLiteral("create trigger refuse before %1 on user begin select "
                               "raise(abort, 'attempt to write a readonly database'); end")
                    .arg(refusedBy)));
            whenModal<MsgDlg>([&message](MsgDlg *box) {
                message = box->message();
                box->on_btnOk_clicked();
            });
        }
        save(dialog, selected, name, password, repeat);

        QCOMPARE(dialog.tipText(), tip);
        const bool kept = !tip.isEmpty() || !refusedBy.isEmpty();
        QCOMPARE(int(dialog.state()), kept ? 2 : 0);
        if (!refusedBy.isEmpty()) {
            QVERIFY2(message.contains(m_fx.path("project.db") +
                                      QStringLiteral(": attempt to write a readonly database")),
                     qPrintable(message));
            QCOMPARE(child<QLineEdit>(&dialog, "usernameEdit")->text(), name);
            QCOMPARE(child<QLineEdit>(&dialog, "repeatEdit")->text(), repeat);
        }
        QStringList stored;
        for (const QVariantList &row : UserAccountStore().allUsers())
            stored.append(QStringLiteral("%1 %2=%3")
                              .arg(row.at(0).toInt())
                              .arg(row.at(1).toString(), row.at(3).toString()));
        accounts.insert(3, QStringLiteral("4 third=a"));
        QCOMPARE(stored, accounts);
        QCOMPARE(passwordFile(m_fx.path("password.txt")), expectedFile());
        if (selected.isEmpty() && accounts.size() == 5) {
            QCOMPARE(UserAccountStore().allUsers().last().at(2).toInt(), 1);
            // A new user starts with a permission row that allows everything.
            PermissionRecord record;
            QVERIFY(PermissionStore::readPermissions(5, &record));
            QCOMPARE(record.functions, PermissionList::allowAll(28));
        }
    }

    void tipClearsAfterTwoSeconds()
    {
        Usermanagerdialog dialog;
        QElapsedTimer clock;
        clock.start();
        save(dialog, QString(), QStringLiteral("x"), QString(), QString());
        QCOMPARE(dialog.tipText(), QStringLiteral("password empty!"));
        QTRY_VERIFY_WITH_TIMEOUT(dialog.tipText().isEmpty(), 10000);
        QVERIFY(clock.elapsed() >= 1900);
    }

    void deleteUser_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("refused"); // the database refuses to delete
        QTest::addColumn<QStringList>("names");
        const QStringList all{"ADMIN", "op", "guest"};
        QTest::newRow("ordinary user") << "op" << false << QStringList{"ADMIN", "guest"};
        QTest::newRow("administrator is kept") << "ADMIN" << false << all;
        QTest::newRow("nothing selected") << "" << false << all;
        // Losing the row would let the user do everything.
        QTest::newRow("failed delete keeps the rights") << "op" << true << all;
    }
    void deleteUser()
    {
        QFETCH(QString, selected);
        QFETCH(bool, refused);
        QFETCH(QStringList, names);
        PermissionStore permissions;
        QVERIFY(permissions.initUserPermissions(QStringLiteral("op")));
        QString message;
        if (refused) {
            QVERIFY(DataDirFixture::rawSql(QStringLiteral(
                "create trigger keep_users before delete on user begin select raise(abort, "
                "'kept'); end")));
            whenModal<MsgDlg>([&message](MsgDlg *box) {
                message = box->message();
                box->on_btnOk_clicked();
            });
        }
        Usermanagerdialog dialog(&permissions);
        if (!selected.isEmpty())
            clickUser(dialog, selected);
        dialog.on_btnDel_clicked();
        QCOMPARE(message.contains(QStringLiteral("project.db: kept")), refused);

        QCOMPARE(dialog.userNames(), names);
        QCOMPARE(storedNames(), names);
        QCOMPARE(passwordFile(m_fx.path("password.txt")), expectedFile());
        QCOMPARE(int(dialog.state()), 0);
        PermissionRecord record;
        QCOMPARE(PermissionStore::readPermissions(2, &record), names.contains("op"));
    }

    // Accounts named before names were checked still load and may change their password.
    void earlierNamesStillLoad()
    {
        QVERIFY(DataDirFixture::rawSql(
            QStringLiteral("insert into user(username,password,type) values('a/b','x',1)")));
        Usermanagerdialog dialog;
        QVERIFY(dialog.userNames().contains(QStringLiteral("a/b")));
        save(dialog, QStringLiteral("a/b"), QStringLiteral("a/b"), QStringLiteral("y"),
             QStringLiteral("y"));
        QCOMPARE(dialog.tipText(), QString());
        QVERIFY(UserAccountStore().checkUser(QStringLiteral("a/b"), QStringLiteral("y")));
    }

    void passwordFileIsRewrittenWhole()
    {
        const QString file = m_fx.path(QStringLiteral("password.txt"));
        {
            // Left over from an earlier run: must not survive the first fill.
            QSettings old(file, QSettings::IniFormat);
            old.setValue(QStringLiteral("UserList/gone"), QStringLiteral("x"));
            old.setValue(QStringLiteral("Other/key"), QStringLiteral("y"));
        }
        Usermanagerdialog dialog;
        QCOMPARE(passwordFile(file), expectedFile());
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QCOMPARE(raw.readLine().trimmed(), QByteArray("[UserList]"));
    }

    void passwordFileIsOwnerOnly()
    {
#ifdef Q_OS_UNIX
        // It holds passwords as typed: readable by its owner only, whatever it was before.
        Usermanagerdialog dialog;
        const QFile::Permissions mode = QFile::permissions(m_fx.path("password.txt"));
        QVERIFY(mode & QFile::ReadOwner);
        QVERIFY(!(mode &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther)));
        dialog.fillUserList();
        QCOMPARE(QFile::permissions(m_fx.path("password.txt")), mode);

        // A copy others could read is closed again by the next rewrite.
        QVERIFY(QFile::setPermissions(m_fx.path("password.txt"),
                                      mode | QFile::ReadGroup | QFile::ReadOther));
        dialog.fillUserList();
        QCOMPARE(QFile::permissions(m_fx.path("password.txt")), mode);
#else
        QSKIP("file modes are POSIX");
#endif
    }
};

QTEST_MAIN(TestUsermanagerDialog)
#include "tst_usermanagerdialog.moc"
