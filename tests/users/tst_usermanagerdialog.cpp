#include "../common/datadirfixture.h"

#include "uikit/msgdlg.h"
#include "users/permissiondialog.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace {
// "id name=password" per stored account.
QStringList accounts()
{
    QStringList out;
    for (const QVariantList &row : UserAccountStore().allUsers())
        out << QStringLiteral("%1 %2=%3")
                   .arg(row.at(0).toInt())
                   .arg(row.at(1).toString(), row.at(3).toString());
    return out;
}

// password.txt as a QSettings reader sees it equals the stored accounts.
bool fileMatches(const QString &file)
{
    QSettings settings(file, QSettings::IniFormat);
    QStringList inFile, stored;
    for (const QString &key : settings.allKeys())
        inFile << key + '=' + settings.value(key).toString();
    for (const QString &account : accounts())
        stored << "UserList/" + account.section(' ', 1);
    stored.sort();
    return inFile == stored;
}

// Runs raw SQL that makes the database refuse a kind of write.
bool refuse(const QString &event)
{
    return DataDirFixture::rawSql(QStringLiteral("create trigger refuse before %1 on user begin "
                                                 "select raise(abort, 'kept'); end")
                                      .arg(event));
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

    // The message box a refused write brings, answered.
    static void catchMessage(QString *message)
    {
        whenModal<MsgDlg>([message](MsgDlg *box) {
            *message = box->message();
            box->on_btnOk_clicked();
        });
    }

private slots:
    void init()
    {
        m_fx.setUp();
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("op-pw")));
        QVERIFY(users.addUser(QStringLiteral("guest"), QStringLiteral("guest-pw")));
    }

    // Steps, then the state, which of Add Edit Del Save Permission name password repeat are
    // enabled, and the name shown.
    void stateTable_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("name");
        const auto row = [](const char *tag, const char *steps, int state, const char *enabled,
                            const char *name) {
            QTest::newRow(tag) << steps << state << enabled << name;
        };
        row("after construction", "", 0, "10000000", "");
        row("user clicked", "op", 1, "11101000", "op");
        row("administrator clicked", "ADMIN", 3, "11000000", "ADMIN");
        row("add", "op add", 2, "00010111", "");
        row("edit administrator", "ADMIN edit", 2, "00010011", "ADMIN");
        row("another row while editing", "ADMIN edit op", 1, "11101000", "op");
        row("save returns to idle", "save", 0, "10000000", "");
    }
    void stateTable()
    {
        QFETCH(QString, steps);
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step == QLatin1String("add"))
                dialog.on_btnAdd_clicked();
            else if (step == QLatin1String("edit"))
                dialog.on_btnEdit_clicked();
            else if (step == QLatin1String("save"))
                save(dialog, QStringLiteral("op"), QStringLiteral("op"), "n", "n");
            else
                clickUser(dialog, step);
        }
        QTEST(int(dialog.state()), "state");
        QString enabled;
        for (const char *w : {"btnAdd", "btnEdit", "btnDel", "btnSave", "btnPermission",
                              "usernameEdit", "passwordEdit", "repeatEdit"})
            enabled += child<QWidget>(&dialog, w)->isEnabled() ? '1' : '0';
        QTEST(enabled, "enabled");
        QTEST(child<QLineEdit>(&dialog, "usernameEdit")->text(), "name");
        if (dialog.state() == 0)
            QVERIFY(child<QTableWidget>(&dialog, "tableWidget")->selectedItems().isEmpty());
    }

    // After a first Add of "third" (4): the selected user (none: Add), what is typed, the tip,
    // and the one account that changes ("" none; id 5 is new). "insert"/"update" in the tip
    // column: the database refuses that write.
    void saveUser_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("changed");
        const QString mismatch = QStringLiteral("two password not equation!");
        const QString exists = QStringLiteral("user have exsits!");
        auto row = [](const char *tag, const QString &selected, const QString &n, const QString &p,
                      const QString &r, const QString &tip, const QString &changed) {
            QTest::newRow(tag) << selected << n << p << r << tip << changed;
        };
        row("add", "", "new", "pw", "pw", "", "5 new=pw");
        row("blanks compared trimmed, stored as typed", "", "new", " pw", "pw  ", "", "5 new=pw  ");
        row("inner blanks count", "", "new", "p w", "pw", mismatch, "");
        row("password empty beats mismatch", "", "new", "", "x", "password empty!", "");
        row("empty name stores nothing, silently", "", "", "pw", "pw", "", "");
        row("add a taken name", "", "guest", "pw", "pw", exists, "");
        row("add a name differing in case only", "", "GUEST", "pw", "pw", exists, "");
        row("rename keeps the id", "op", "boss", "new-pw ", "new-pw", "", "2 boss=new-pw");
        row("rename to own name in other case", "op", "OP", "pw", "pw", "", "2 OP=pw");
        row("rename to another user's name", "op", "guest", "new-pw", "new-pw", exists, "");
        row("rename to an empty name", "op", "", "new-pw", "new-pw", "username empty!", "");
        row("administrator password", "ADMIN", "ADMIN", "new-pw", "new-pw", "", "1 ADMIN=new-pw");
        // Which names are storable is pinned with the store; here a refusal on each path.
        const QString unstorable = "user name cannot hold / or \\ or begin or end with a blank!";
        row("add an unstorable name", "", "a/b", "pw", "pw", unstorable, "");
        row("rename to an unstorable name", "op", " a", "pw", "pw", unstorable, "");
        row("add refused", "", "new", "pw", "pw", "insert", "");
        row("rename refused", "op", "new", "pw", "pw", "update", "");
    }
    void saveUser()
    {
        QFETCH(QString, selected);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, repeat);
        QFETCH(QString, tip);
        QFETCH(QString, changed);
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        // A finished Add must not turn a later Edit into another insert.
        save(dialog, QString(), QStringLiteral("third"), "a", "a");
        QStringList expected = accounts();
        QCOMPARE(expected.last(), QStringLiteral("4 third=a"));
        const bool refused = tip == QLatin1String("insert") || tip == QLatin1String("update");
        QString message;
        if (refused) {
            QVERIFY(refuse(tip));
            catchMessage(&message);
        }
        save(dialog, selected, name, password, repeat);

        QCOMPARE(dialog.tipText(), refused ? QString() : tip);
        QCOMPARE(int(dialog.state()), !tip.isEmpty() ? 2 : 0);
        if (refused) { // the operator is told, and nothing typed is lost
            QVERIFY2(message.contains(m_fx.path("project.db") + ": kept"), qPrintable(message));
            QCOMPARE(child<QLineEdit>(&dialog, "usernameEdit")->text(), name);
            QCOMPARE(child<QLineEdit>(&dialog, "repeatEdit")->text(), repeat);
        }
        const int id = changed.section(' ', 0, 0).toInt();
        if (id > expected.size())
            expected << changed;
        else if (id > 0)
            expected[id - 1] = changed;
        QCOMPARE(accounts(), expected);
        QVERIFY(fileMatches(m_fx.path("password.txt")));
        if (id == 5) { // a new user: an ordinary one, with a row that allows everything
            QCOMPARE(UserAccountStore().allUsers().last().at(2).toInt(), 1);
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
            QVERIFY(refuse(QStringLiteral("delete")));
            catchMessage(&message);
        }
        Usermanagerdialog dialog(&permissions);
        if (!selected.isEmpty())
            clickUser(dialog, selected);
        dialog.on_btnDel_clicked();
        QCOMPARE(message.contains(QStringLiteral("project.db: kept")), refused);
        QCOMPARE(dialog.userNames(), names);
        QCOMPARE(int(dialog.state()), 0);
        QVERIFY(fileMatches(m_fx.path("password.txt")));
        QCOMPARE(accounts().size(), names.size());
        PermissionRecord record;
        QCOMPARE(PermissionStore::readPermissions(2, &record), names.contains("op"));
    }

    // Names from before names were checked still load and may change their password; the
    // password file is rewritten whole and readable by its owner only, whatever it was before.
    void earlierNamesAndThePasswordFile()
    {
        QVERIFY(DataDirFixture::rawSql(
            QStringLiteral("insert into user(username,password,type) values('a/b','x',1)")));
        const QString file = m_fx.path(QStringLiteral("password.txt"));
        {
            QSettings old(file, QSettings::IniFormat);
            old.setValue(QStringLiteral("UserList/gone"), QStringLiteral("x"));
            old.setValue(QStringLiteral("Other/key"), QStringLiteral("y"));
        }
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
        QVERIFY(QFile::setPermissions(file, owner | QFile::ReadGroup | QFile::ReadOther));
        Usermanagerdialog dialog;
        QVERIFY(fileMatches(file));
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QCOMPARE(raw.readLine().trimmed(), QByteArray("[UserList]"));
        QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser), owner);

        save(dialog, QStringLiteral("a/b"), QStringLiteral("a/b"), "y", "y");
        QCOMPARE(dialog.tipText(), QString());
        QVERIFY(UserAccountStore().checkUser(QStringLiteral("a/b"), QStringLiteral("y")));
    }

    void permissionsOfTheSelectedUser()
    {
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        dialog.on_btnPermission_clicked(); // nobody selected: nothing opens
        clickUser(dialog, QStringLiteral("guest"));
        QString title;
        whenModal<PermissionDialog>([&title](PermissionDialog *rights) {
            title = child<QLabel>(rights, "titleLabel")->text();
            rights->done(0);
        });
        dialog.on_btnPermission_clicked();
        QCOMPARE(title, QStringLiteral("Permission Management  User: guest"));
    }
};

QTEST_MAIN(TestUsermanagerDialog)
#include "tst_usermanagerdialog.moc"
