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
    /// Runs a SELECT and returns every row as `columns` values read by index; empty on any
    /// failure.
    static QList<QVariantList> queryRows(const QString &sql, const QVariantList &values,
                                         int columns, const QString &path = QString());
};
