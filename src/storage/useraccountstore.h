#pragma once

#include <QList>
#include <QString>
#include <QVariant>

/// Accounts, the remembered password and the login mode in project.db. Holds no state.
class UserAccountStore
{
public:
    /// Creates the tables and the ADMIN account when they are missing.
    UserAccountStore();

    /// True when every creation and the ADMIN seeding ran.
    bool createUserTables();

    /// Whether password.txt can hold the name as a key of its own: its settings format folds
    /// slashes and backslashes into group separators (a/b, a//b and /a/b become one key) and
    /// readers do not keep surrounding blanks. Empty names are not storable either.
    static bool isStorableName(const QString &username);

    /// Adds an ordinary user (type 1). False, without touching the file, for an empty or
    /// unstorable name or an empty password; false as well when the name is taken.
    bool addUser(const QString &username, const QString &password);
    bool deleteUser(int id);
    /// False, without writing, when an unstorable name would be given; an account that already
    /// has such a name keeps it and may still change its password.
    bool updateUser(int id, const QString &username, const QString &password);

    /// Turning remembering on or off drops the remembered password.
    bool setRememberPassword(bool on);
    /// Stores the password and turns remembering on.
    bool saveRememberedPassword(const QString &password);
    /// 0 shows the login dialog, 1 starts without it; other values are ignored (false).
    /// False as well when the choice could not be saved.
    bool setLoginModel(int model);

    /// Rows of id, username, type, password.
    QList<QVariantList> allUsers() const;
    bool checkUser(const QString &username, const QString &password) const;
    /// 0 administrator, 1 ordinary user; 1 for an unknown name.
    int userType(const QString &username) const;
    bool isRememberPassword() const;
    QString rememberedPassword() const;
    /// The stored login mode; creates the row with 0 when there is none.
    int loginModel();
};
