#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

/// Access to project.db: every call opens its own connection, runs its statement with bound
/// values and closes again. Values never become part of the statement text.
class ProjectDatabase
{
public:
    /// What checkHealth() found out about the file.
    struct Health
    {
        enum State
        {
            Usable,   ///< reads and writes work
            ReadOnly, ///< it can be read, but nothing can be saved in it
            Unusable, ///< it cannot be read as a database at all
        };
        State state = Usable;
        QString path;
        /// The database's (or the system's) own words for the problem; empty when usable.
        QString error;
    };

    /// Data directory + "/project.db", fixed on first use.
    static QString databasePath();
    /// Forgets the cached path so the next call follows AppSettings::dataDirectory() again.
    static void resetDatabasePath();

    /// Runs one statement that returns no rows; true when it ran. An empty path means
    /// databasePath().
    static bool executeStatement(const QString &sql, const QVariantList &values = {},
                                 const QString &path = QString());
    /// Runs statements without values over one connection, every one even after a failure;
    /// true when all ran. For the table set-up a store does on creation.
    static bool executeStatements(const QStringList &statements, const QString &path = QString());
    /// Runs one statement once per row of values, all in one transaction: either every row
    /// is written or none is.
    static bool executeBatch(const QString &sql, const QList<QVariantList> &rows,
                             const QString &path = QString());
    /// Runs a SELECT and returns every row as `columns` values read by index; empty on any
    /// failure.
    static QList<QVariantList> queryRows(const QString &sql, const QVariantList &values,
                                         int columns, const QString &path = QString());

    /// Why the last call on this thread failed: the path and the database's error. Empty when
    /// it succeeded, so a caller can tell "no rows" from "could not read".
    static QString lastError();

    /// Opens the file and checks that it is a sound SQLite database that takes writes, without
    /// changing anything in it: the write probe is rolled back, and an existing file is never
    /// recreated or repaired. A missing file is created empty (owner-only), as a first start
    /// would. An empty path means databasePath().
    static Health checkHealth(const QString &path = QString());
};
