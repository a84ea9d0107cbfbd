#pragma once

#include <QMap>
#include <QString>

/// One PermissionInfo row: the five lists as stored.
struct PermissionRecord
{
    QString input;
    QString output;
    QString audio;
    QString analog;
    QString functions;
};

/// Per-user permission rows in project.db and the rights of the user logged in now.
/// An administrator (current user type 0) passes every check; keys missing from a record allow.
class PermissionStore
{
public:
    /// Creates the permission table when it is missing.
    PermissionStore();

    bool createPermissionTable();
    bool deletePermissions(int id);
    /// Writes the user's row whole.
    bool savePermissions(int id, const QString &input, const QString &output, const QString &audio,
                         const QString &analog, const QString &list);
    /// Gives an ordinary user a row that allows everything; nothing for id 1 or an unknown name.
    bool initUserPermissions(const QString &username);

    /// Reads user `id`'s row; true only when exactly one whole row exists.
    static bool readPermissions(int id, PermissionRecord *record);
    /// Fills the current maps from user `id`'s row; false (maps untouched) without one.
    bool loadPermissions(int id);
    /// Makes `username` the current user (an unknown name keeps the previous id) and loads
    /// that user's rights afresh.
    void loadCurrentUser(const QString &username);

    /// kind: 0 input, 1 output, 2 audio input, 3 analog audio output; other kinds allow.
    bool hasPortPermission(int port, int kind) const;
    /// Function index 0..27.
    bool hasListPermission(int index) const;

    int currentUserId() const { return m_currentUserId; }

private:
    int m_currentUserId = 1;
    QMap<int, bool> m_input;
    QMap<int, bool> m_output;
    QMap<int, bool> m_audio;
    QMap<int, bool> m_analog;
    QMap<int, bool> m_functions;
};
