#include "../common/datadirfixture.h"

#include "users/permissiondialog.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

namespace {
struct Account
{
    int id;
    QString name;
    int type;
    QString password;
};

QList<Account> accounts()
{
    QList<Account> result;
    for (const QVariantList &row : UserAccountStore().allUsers())
        result.append(
            {row.at(0).toInt(), row.at(1).toString(), row.at(2).toInt(), row.at(3).toString()});
    return result;
}

QString passwordOf(const QString &name)
{
    for (const Account &a : accounts()) {
        if (a.name == name)
            return a.password;
    }
    return QStringLiteral("<none>");
}

int idOf(const QString &name)
{
    for (const Account &a : accounts()) {
        if (a.name == name)
            return a.id;
    }
    return -1;
}

// The UserList section exactly as a QSettings reader sees it.
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
    for (const Account &a : accounts())
        entries.insert(QStringLiteral("UserList/") + a.name, a.password);
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
        auto *table = child<QTableWidget>(&dialog, "tableWidget");
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 1) && table->item(row, 1)->text() == name) {
                table->selectRow(row);
                dialog.on_tableWidget_cellClicked(row, 1);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no row for ") + name));
    }

    static void type(Usermanagerdialog &dialog, const QString &name, const QString &password,
                     const QString &repeat)
    {
        auto *nameEdit = child<QLineEdit>(&dialog, "usernameEdit");
        if (nameEdit->isEnabled())
            nameEdit->setText(name);
        child<QLineEdit>(&dialog, "passwordEdit")->setText(password);
        child<QLineEdit>(&dialog, "repeatEdit")->setText(repeat);
    }

    // Add, Edit, Delete, Save, Permissions, name edit, password edits as "1"/"0".
    static QString enables(Usermanagerdialog &dialog)
    {
        QString out;
        for (const char *name : {"btnAdd", "btnEdit", "btnDel", "btnSave", "btnPermission",
                                 "usernameEdit", "passwordEdit", "repeatEdit"})
            out += child<QWidget>(&dialog, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return out;
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
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("name");
        QTest::newRow("after construction") << QStringList{} << 0 << "10000000" << "";
        QTest::newRow("ordinary user clicked") << QStringList{"click op"} << 1 << "11101000" << "op";
        QTest::newRow("administrator clicked")
            << QStringList{"click ADMIN"} << 3 << "11000000" << "ADMIN";
        QTest::newRow("add") << QStringList{"click op", "add"} << 2 << "00010111" << "";
        QTest::newRow("edit administrator keeps the name")
            << QStringList{"click ADMIN", "edit"} << 2 << "00010011" << "ADMIN";
        QTest::newRow("another row while editing")
            << QStringList{"click ADMIN", "edit", "click op"} << 1 << "11101000" << "op";
        QTest::newRow("save returns to idle")
            << QStringList{"click op", "edit", "type", "save"} << 0 << "10000000" << "";
    }

    void stateTable()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, state);
        QFETCH(QString, enabled);
        QFETCH(QString, name);

        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        for (const QString &step : steps) {
            if (step.startsWith(QLatin1String("click ")))
                clickUser(dialog, step.mid(6));
            else if (step == QLatin1String("add"))
                dialog.on_btnAdd_clicked();
            else if (step == QLatin1String("edit"))
                dialog.on_btnEdit_clicked();
            else if (step == QLatin1String("delete"))
                dialog.on_btnDel_clicked();
            else if (step == QLatin1String("type"))
                type(dialog, QStringLiteral("op"), QStringLiteral("n"), QStringLiteral("n"));
            else if (step == QLatin1String("save"))
                dialog.on_btnSave_clicked();
        }
        QCOMPARE(int(dialog.state()), state);
        QCOMPARE(enables(dialog), enabled);
        QCOMPARE(child<QLineEdit>(&dialog, "usernameEdit")->text(), name);
        if (state == 0) {
            auto *table = child<QTableWidget>(&dialog, "tableWidget");
            QVERIFY(table->selectionModel()->selectedRows().isEmpty());
        }
    }

    void addUser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("stored");
        const QString mismatch = QStringLiteral("two password not equation!");
        const QString exists = QStringLiteral("user have exsits!");
        auto row = [](const char *tag, const QString &n, const QString &p, const QString &r,
                      const QString &tip, int state, const QString &stored) {
            QTest::newRow(tag) << n << p << r << tip << state << stored;
        };
        row("plain", "new", "pw", "pw", "", 0, "pw");
        row("blanks compared trimmed, stored as typed", "new", " pw", "pw  ", "", 0, "pw  ");
        row("inner blanks count", "new", "p w", "pw", mismatch, 2, "<none>");
        row("password empty beats mismatch", "new", "", "x", "password empty!", 2, "<none>");
        row("empty name stores nothing, silently", "", "pw", "pw", "", 0, "<none>");
        row("duplicate name", "guest", "pw", "pw", exists, 2, "guest-pw");
        row("administrator name", "ADMIN", "pw", "pw", exists, 2, "wexol482");
        row("quote in name and password", "o'neil", "it's", "it's", "", 0, "it's");
        row("non-latin name", QStringLiteral("操作员"), QStringLiteral("密码"),
            QStringLiteral("密码"), "", 0, QStringLiteral("密码"));
    }

    void addUser()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, repeat);
        QFETCH(QString, tip);
        QFETCH(int, state);
        QFETCH(QString, stored);

        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        const int before = accounts().size();
        dialog.on_btnAdd_clicked();
        type(dialog, name, password, repeat);
        dialog.on_btnSave_clicked();

        QCOMPARE(dialog.tipText(), tip);
        QCOMPARE(int(dialog.state()), state);
        const bool added = tip.isEmpty() && !name.isEmpty();
        QCOMPARE(accounts().size(), before + (added ? 1 : 0));
        QCOMPARE(passwordOf(name), stored);
        if (added) {
            QCOMPARE(accounts().last().type, 1);
            QVERIFY(dialog.userNames().contains(name));
            // A new user starts with a permission row that allows everything.
            PermissionRecord record;
            QVERIFY(PermissionStore::readPermissions(idOf(name), &record));
            QCOMPARE(record.functions, PermissionList::allowAll(28));
        }
    }

    void editUser_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QStringList>("names");
        const QStringList unchanged{"ADMIN", "op", "guest"};
        QTest::newRow("rename") << "op" << "boss" << "" << QStringList{"ADMIN", "boss", "guest"};
        QTest::newRow("same name is accepted") << "op" << "op" << "" << unchanged;
        QTest::newRow("another user's name") << "op" << "guest" << "user have exsits!" << unchanged;
        QTest::newRow("empty name") << "op" << "" << "username empty!" << unchanged;
        QTest::newRow("administrator password") << "ADMIN" << "ADMIN" << "" << unchanged;
    }

    void editUser()
    {
        QFETCH(QString, selected);
        QFETCH(QString, name);
        QFETCH(QString, tip);
        QFETCH(QStringList, names);

        const int id = idOf(selected);
        Usermanagerdialog dialog;
        clickUser(dialog, selected);
        dialog.on_btnEdit_clicked();
        type(dialog, name, QStringLiteral("new-pw "), QStringLiteral("new-pw"));
        dialog.on_btnSave_clicked();

        QCOMPARE(dialog.tipText(), tip);
        QStringList stored;
        for (const Account &a : accounts())
            stored.append(a.name);
        QCOMPARE(stored, names);
        if (tip.isEmpty()) {
            QCOMPARE(int(dialog.state()), 0);
            QCOMPARE(idOf(name), id);
            QCOMPARE(passwordOf(name), QStringLiteral("new-pw"));
        } else {
            QCOMPARE(int(dialog.state()), 2);
            QCOMPARE(passwordOf(selected), selected + QStringLiteral("-pw"));
        }
    }

    void editAfterAddUpdatesInsteadOfAdding()
    {
        Usermanagerdialog dialog;
        dialog.on_btnAdd_clicked();
        type(dialog, QStringLiteral("third"), QStringLiteral("a"), QStringLiteral("a"));
        dialog.on_btnSave_clicked();
        QCOMPARE(accounts().size(), 4);

        clickUser(dialog, QStringLiteral("op"));
        dialog.on_btnEdit_clicked();
        type(dialog, QStringLiteral("op"), QStringLiteral("changed"), QStringLiteral("changed"));
        dialog.on_btnSave_clicked();
        QCOMPARE(dialog.tipText(), QString());
        QCOMPARE(accounts().size(), 4);
        QCOMPARE(passwordOf(QStringLiteral("op")), QStringLiteral("changed"));
    }

    void tipClearsAfterTwoSeconds()
    {
        Usermanagerdialog dialog;
        dialog.on_btnAdd_clicked();
        type(dialog, QStringLiteral("x"), QString(), QString());
        QElapsedTimer clock;
        clock.start();
        dialog.on_btnSave_clicked();
        QCOMPARE(dialog.tipText(), QStringLiteral("password empty!"));
        QTRY_VERIFY_WITH_TIMEOUT(dialog.tipText().isEmpty(), 10000);
        QVERIFY(clock.elapsed() >= 1900);
    }

    void deleteUser_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("rowKept");

        QTest::newRow("ordinary user") << "op" << QStringList{"ADMIN", "guest"} << false;
        QTest::newRow("administrator is kept")
            << "ADMIN" << QStringList{"ADMIN", "op", "guest"} << true;
        QTest::newRow("nothing selected") << "" << QStringList{"ADMIN", "op", "guest"} << true;
    }

    void deleteUser()
    {
        QFETCH(QString, selected);
        QFETCH(QStringList, names);
        QFETCH(bool, rowKept);

        PermissionStore permissions;
        QVERIFY(permissions.initUserPermissions(QStringLiteral("op")));
        const int opId = idOf(QStringLiteral("op"));
        Usermanagerdialog dialog(&permissions);
        if (!selected.isEmpty())
            clickUser(dialog, selected);
        dialog.on_btnDel_clicked();

        QCOMPARE(dialog.userNames(), names);
        QStringList stored;
        for (const Account &a : accounts())
            stored.append(a.name);
        QCOMPARE(stored, names);
        QCOMPARE(int(dialog.state()), 0);
        PermissionRecord record;
        QCOMPARE(PermissionStore::readPermissions(opId, &record), rowKept);
    }

    void failedDeleteKeepsTheRights()
    {
        PermissionStore permissions;
        QVERIFY(permissions.savePermissions(idOf(QStringLiteral("op")), "0/0/0/0/0/0/0/0",
                                            "0/0/0/0/0/0/0/0/0", "0/0/0/0/0/0/0/0",
                                            "0/0/0/0/0/0/0/0/0", PermissionList::join({false})));
        QVERIFY(DataDirFixture::rawSql(QStringLiteral(
            "create trigger keep_users before delete on user begin select raise(abort, 'kept'); "
            "end")));
        Usermanagerdialog dialog(&permissions);
        clickUser(dialog, QStringLiteral("op"));
        dialog.on_btnDel_clicked();

        QVERIFY(dialog.userNames().contains(QStringLiteral("op")));
        // Losing the row would let the user do everything.
        PermissionRecord record;
        QVERIFY(PermissionStore::readPermissions(idOf(QStringLiteral("op")), &record));
        QCOMPARE(record.input, QStringLiteral("0/0/0/0/0/0/0/0"));
    }

    void passwordFileHoldsExactlyTheUsers()
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

        dialog.on_btnAdd_clicked();
        type(dialog, QStringLiteral("with space"), QStringLiteral("a=b"), QStringLiteral("a=b"));
        dialog.on_btnSave_clicked();
        QCOMPARE(passwordFile(file), expectedFile());
        QCOMPARE(passwordFile(file).value(QStringLiteral("UserList/with space")),
                 QStringLiteral("a=b"));

        clickUser(dialog, QStringLiteral("op"));
        dialog.on_btnEdit_clicked();
        type(dialog, QStringLiteral("renamed"), QStringLiteral("p"), QStringLiteral("p"));
        dialog.on_btnSave_clicked();
        QCOMPARE(passwordFile(file), expectedFile());
        QVERIFY(!passwordFile(file).contains(QStringLiteral("UserList/op")));

        clickUser(dialog, QStringLiteral("guest"));
        dialog.on_btnDel_clicked();
        QCOMPARE(passwordFile(file), expectedFile());
        QCOMPARE(passwordFile(file).size(), 3);

        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QCOMPARE(raw.readLine().trimmed(), QByteArray("[UserList]"));
    }

    void passwordFileIsOwnerOnly()
    {
#ifdef Q_OS_UNIX
        Usermanagerdialog dialog;
        const QFile::Permissions perms = QFile::permissions(m_fx.path("password.txt"));
        QVERIFY(perms & QFile::ReadOwner);
        QVERIFY(!(perms &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther)));
        // Rewriting keeps the mode.
        dialog.fillUserList();
        QCOMPARE(QFile::permissions(m_fx.path("password.txt")), perms);
#else
        QSKIP("file modes are POSIX");
#endif
    }

    void permissionButtonOpensTheSelectedUser()
    {
        PermissionStore permissions;
        Usermanagerdialog dialog(&permissions);
        clickUser(dialog, QStringLiteral("guest"));
        QString title;
        whenModal<PermissionDialog>([&title](PermissionDialog *d) {
            title = child<QLabel>(d, "titleLabel")->text();
            d->done(0);
        });
        dialog.on_btnPermission_clicked();
        QCOMPARE(title, QStringLiteral("Permission Management  User: guest"));
    }
};

QTEST_MAIN(TestUsermanagerDialog)
#include "tst_usermanagerdialog.moc"
