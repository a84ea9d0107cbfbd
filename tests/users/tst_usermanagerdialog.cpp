#include "../common/datadirfixture.h"
#include "../common/modalwatcher.h"

#include "uikit/dialogconfirm3btn.h"
#include "users/permissiondialog.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QCheckBox>
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

// Makes the database refuse a kind of write to a table.
bool refuse(const QString &event, const QString &table = QStringLiteral("user"))
{
    return DataDirFixture::rawSql(QStringLiteral("create trigger refuse before %1 on %2 begin "
                                                 "select raise(abort, 'kept'); end")
                                      .arg(event, table));
}

// The stored rights: input, output, audio, analog, functions.
QStringList stored(int id)
{
    PermissionRecord r;
    PermissionStore::readPermissions(id, &r);
    return {r.input, r.output, r.audio, r.analog, r.functions};
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

    // After adding "third" (4): the account changed (5 is new); "insert"/"update": refused.
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
        row("password empty beats mismatch", "", "new", "", "x", "password empty!", "");
        row("add a name differing in case only", "", "GUEST", "pw", "pw", exists, "");
        row("rename keeps the id", "op", "boss", "new-pw ", "new-pw", "", "2 boss=new-pw");
        row("rename to another user's name", "op", "guest", "new-pw", "new-pw", exists, "");
        row("rename to an empty name", "op", "", "new-pw", "new-pw", "username empty!", "");
        const QString unstorable = "user name cannot hold / or \\ or begin or end with a blank!";
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
        QVERIFY(!refused || refuse(tip));
        ModalWatcher watcher;
        save(dialog, selected, name, password, repeat);
        const QString message = watcher.lines().join('\n');

        QCOMPARE(dialog.tipText(), refused ? QString() : tip);
        QCOMPARE(int(dialog.state()), !tip.isEmpty() ? 2 : 0);
        QVERIFY2(refused ? message.contains(m_fx.path("project.db") + ": kept") : message.isEmpty(),
                 qPrintable(message));
        if (refused) { // nothing typed is lost
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
            QCOMPARE(stored(5).last(), PermissionList::allowAll(28));
        }
    }

    void deleteUser_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("refused"); // the database refuses to delete
        QTest::addColumn<QStringList>("names");
        const QStringList all{"ADMIN", "op", "guest"};
        QTest::newRow("ordinary user") << "op" << false << QStringList{"ADMIN", "guest"};
        QTest::newRow("administrator is kept") << "ADMIN" << false << all;
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
        QVERIFY(!refused || refuse(QStringLiteral("delete")));
        Usermanagerdialog dialog(&permissions);
        clickUser(dialog, selected);
        ModalWatcher watcher;
        dialog.on_btnDel_clicked();
        QCOMPARE(watcher.count(), int(refused));
        QCOMPARE(watcher.lines().join("").contains(QStringLiteral("project.db: kept")), refused);
        QCOMPARE(dialog.userNames(), names);
        QCOMPARE(int(dialog.state()), 0);
        QVERIFY(fileMatches(m_fx.path("password.txt")));
        QCOMPARE(accounts().size(), names.size());
        PermissionRecord record;
        QCOMPARE(PermissionStore::readPermissions(2, &record), names.contains("op"));
    }

    void permissionsOfTheSelectedUser()
    {
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        QStringList titles;
        ModalWatcher watcher([&titles](QDialog *rights) {
            titles << child<QLabel>(rights, "titleLabel")->text();
            rights->done(0);
        });
        dialog.on_btnPermission_clicked(); // nobody selected: nothing opens
        clickUser(dialog, QStringLiteral("guest"));
        dialog.on_btnPermission_clicked();
        QCOMPARE(titles, QStringList{"Permission Management  User: guest"});
    }

    // From no row at all, so a no-op Apply could not pass.
    void applyWritesEachBoxAtItsPosition()
    {
        PermissionStore permissions;
        PermissionDialog dialog(QStringLiteral("2"), QStringLiteral("op"), &permissions);
        for (auto [list, i] :
             std::initializer_list<std::pair<int, int>>{{0, 1}, {1, 4}, {2, 7}, {3, 0}})
            dialog.portBoxes(list).at(i)->setChecked(false);
        for (int i : {0, 14, 27})
            dialog.functionBox(i)->setChecked(false);
        dialog.functionBox(16)->setChecked(false); // the group's "all" box sets it whole again
        dialog.allBox(PermissionDialog::SettingPageGroup)->click();
        dialog.on_btnApply_clicked();
        QCOMPARE(stored(2),
                 (QStringList{"1/0/1/1/1/1/1/1", "1/1/1/1/0/1/1/1/1", "1/1/1/1/1/1/1/0",
                              "0/1/1/1/1/1/1/1/1",
                              "0/1/1/1/1/1/1/1/1/1/1/1/1/1/0/1/1/1/1/1/1/1/1/1/1/1/1/0"}));
    }

    // Closing asks; Cancel, or changes that could not be stored, keep the dialog and the change.
    void closeConfirmation_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("refused"); // the database refuses to store
        QTest::newRow("yes applies") << int(DialogConfirm3Btn::Yes) << false;
        QTest::newRow("cancel keeps") << int(DialogConfirm3Btn::Cancel) << false;
        QTest::newRow("failed save keeps") << int(DialogConfirm3Btn::Yes) << true;
    }
    void closeConfirmation()
    {
        QFETCH(int, choice);
        QFETCH(bool, refused);
        PermissionStore permissions;
        QVERIFY(permissions.initUserPermissions(QStringLiteral("op")));
        QVERIFY(!refused || refuse("insert", "PermissionInfo"));
        PermissionDialog dialog(QStringLiteral("2"), QStringLiteral("op"), &permissions);
        dialog.show();
        dialog.portBoxes(1).at(4)->setChecked(false);
        ModalWatcher watcher([choice](QDialog *d) { d->done(choice); });
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QStringList seen{"DialogConfirm3Btn|Quit Permission Management|Apply the latest changes?"};
        if (refused)
            seen << "MsgDlg|Warning|The permissions could not be saved!";
        QCOMPARE(watcher.lines(), seen);
        const bool stillOpen = choice == DialogConfirm3Btn::Cancel || refused;
        QCOMPARE(dialog.isVisible(), stillOpen);
        const QString changed = QStringLiteral("1/1/1/1/0/1/1/1/1");
        QCOMPARE(stored(2).value(1), stillOpen ? PermissionList::allowAll(9) : changed);
        if (stillOpen) {
            QCOMPARE(dialog.apply(), !refused);
            QCOMPARE(stored(2).value(1), refused ? PermissionList::allowAll(9) : changed);
            QVERIFY(!dialog.portBoxes(1).at(4)->isChecked());
        }
    }
};

QTEST_MAIN(TestUsermanagerDialog)
#include "tst_usermanagerdialog.moc"
