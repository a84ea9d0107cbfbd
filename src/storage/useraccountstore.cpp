#include "useraccountstore.h"

#include "projectdatabase.h"

namespace {
const char *const createUser = "create table if not exists user(                          "
                               "id integer primary key,                          "
                               "username text unique,                          "
                               "type integer,                          "
                               "password text not null)";
const char *const createLoginModel =
    "create table if not exists loginmodel(                                  "
    "id integer primary key,                                  "
    "model integer not null)";
const char *const createPasswordTable =
    "create table if not exists PasswordTable(                             "
    "id integer primary key,                            "
    "isRemember integer,                            "
    "password   text                           )";
const char *const seedAdmin =
    "INSERT OR  IGNORE INTO user (username,password,type) VALUES ('ADMIN','wexol482',0)";

QString sql(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

UserAccountStore::UserAccountStore()
{
    createUserTables();
}

bool UserAccountStore::createUserTables()
{
    return ProjectDatabase::executeStatements(
        {sql(createUser), sql(createLoginModel), sql(createPasswordTable), sql(seedAdmin)});
}

bool UserAccountStore::isStorableName(const QString &username)
{
    return !username.isEmpty() && username == username.trimmed() &&
           !username.contains(QLatin1Char('/')) && !username.contains(QLatin1Char('\\'));
}

bool UserAccountStore::addUser(const QString &username, const QString &password)
{
    if (!isStorableName(username) || password.isEmpty())
        return false;
    return ProjectDatabase::executeStatement(
        QStringLiteral("INSERT INTO user (username,password,type) VALUES (?,?,?)"),
        {username, password, 1});
}

bool UserAccountStore::deleteUser(int id)
{
    return ProjectDatabase::executeStatement(QStringLiteral("delete from user where id=?"), {id});
}

bool UserAccountStore::updateUser(int id, const QString &username, const QString &password)
{
    if (!isStorableName(username)) {
        // Accounts made before the rule keep loading and keep their names.
        const auto rows = ProjectDatabase::queryRows(
            QStringLiteral("select username from user where id=?"), {id}, 1);
        if (rows.isEmpty() || rows.first().at(0).toString() != username)
            return false;
    }
    return ProjectDatabase::executeStatement(
        QStringLiteral("Update user set username=?,password=? where id=?"),
        {username, password, id});
}

bool UserAccountStore::setRememberPassword(bool on)
{
    return ProjectDatabase::executeStatement(
        QStringLiteral("INSERT OR REPLACE INTO PasswordTable (id,isRemember) values(1,?)"),
        {on ? 1 : 0});
}

bool UserAccountStore::saveRememberedPassword(const QString &password)
{
    return ProjectDatabase::executeStatement(
        QStringLiteral(
            "INSERT OR REPLACE INTO PasswordTable (id,isRemember,password) values(1,1,?)"),
        {password});
}

bool UserAccountStore::setLoginModel(int model)
{
    if (model != 0 && model != 1)
        return false;
    // An upsert, so that the choice sticks even before the first loginModel() made the row.
    return ProjectDatabase::executeStatement(
        QStringLiteral("insert or replace into loginmodel(id,model) values(1,?)"), {model});
}

QList<QVariantList> UserAccountStore::allUsers() const
{
    return ProjectDatabase::queryRows(QStringLiteral("Select * from user "), {}, 4);
}

bool UserAccountStore::checkUser(const QString &username, const QString &password) const
{
    return !ProjectDatabase::queryRows(
                QStringLiteral("Select * from user where username=? and password=?"),
                {username, password}, 4)
                .isEmpty();
}

int UserAccountStore::userType(const QString &username) const
{
    const auto rows = ProjectDatabase::queryRows(
        QStringLiteral("Select type from user where username=?"), {username}, 1);
    return rows.isEmpty() ? 1 : rows.first().at(0).toInt();
}

bool UserAccountStore::isRememberPassword() const
{
    const auto rows = ProjectDatabase::queryRows(
        QStringLiteral("select isRemember from PasswordTable where id=1"), {}, 1);
    return !rows.isEmpty() && rows.first().at(0).toInt() != 0;
}

QString UserAccountStore::rememberedPassword() const
{
    const auto rows = ProjectDatabase::queryRows(
        QStringLiteral("select password from PasswordTable where id=1"), {}, 1);
    return rows.isEmpty() ? QString() : rows.first().at(0).toString();
}

int UserAccountStore::loginModel()
{
    const auto rows =
        ProjectDatabase::queryRows(QStringLiteral("Select * from loginmodel where id=1 "), {}, 2);
    if (!rows.isEmpty())
        return rows.first().at(1).toInt();
    ProjectDatabase::executeStatement(
        QStringLiteral("Insert into loginmodel(id,model) values(1,0)"));
    return 0;
}
