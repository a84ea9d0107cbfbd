#include "projectdatabase.h"

#include "app/appsettings.h"
#include "fileaccess.h"

#include <QDebug>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <functional>

namespace {
QMutex pathMutex;
QString cachedPath;

// Paths whose file could not be used; reported once until a call on them succeeds again,
// so that a broken file does not flood the log with one line per statement.
QMutex unusableMutex;
QSet<QString> unusablePaths;

const char *const notADatabaseCode = "26"; // SQLITE_NOTADB

void reportUnusable(const QString &path, const QString &reason)
{
    QMutexLocker lock(&unusableMutex);
    if (unusablePaths.contains(path))
        return;
    unusablePaths.insert(path);
    qDebug().noquote() << "project database unusable:" << path << "-" << reason;
}

void markUsable(const QString &path)
{
    QMutexLocker lock(&unusableMutex);
    unusablePaths.remove(path);
}

QString connectionName()
{
    return QString::number(reinterpret_cast<quintptr>(QThread::currentThreadId()));
}

QString resolved(const QString &path)
{
    return path.isEmpty() ? ProjectDatabase::databasePath() : path;
}

// A null QString binds as NULL, which the NOT NULL password column rejects and which reads
// back differently from the empty text the caller passed.
void bindAll(QSqlQuery &query, const QVariantList &values)
{
    for (const QVariant &value : values) {
        if (value.type() == QVariant::String && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
}

bool isNotADatabase(const QSqlError &error)
{
    return error.nativeErrorCode() == QLatin1String(notADatabaseCode);
}

// Opens the connection named after this thread, hands it to `work` and removes it once every
// object that used it is gone. Returns false when the file could not be opened.
bool withConnection(const QString &path, const std::function<void(QSqlDatabase &)> &work)
{
    // A FIFO or device node would make SQLite block on its first read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        reportUnusable(path, QStringLiteral("not a regular file"));
        return false;
    }
    if (!info.exists())
        FileAccess::createOwnerOnly(path);

    const QString name = connectionName();
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        opened = db.open();
        if (opened)
            work(db);
        else
            reportUnusable(path, db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return opened;
}

enum class Outcome
{
    Ran,
    NotADatabase,
    Failed,
};

// Prepares, binds and runs; a file that turns out not to be a database is reported here, any
// other failure is left to the caller's own log line.
Outcome run(QSqlQuery &query, const QString &dbPath, const QString &sql, const QVariantList &values)
{
    bool ok = query.prepare(sql);
    if (ok) {
        bindAll(query, values);
        ok = query.exec();
    }
    if (ok) {
        markUsable(dbPath);
        return Outcome::Ran;
    }
    if (isNotADatabase(query.lastError())) {
        reportUnusable(dbPath, query.lastError().text());
        return Outcome::NotADatabase;
    }
    return Outcome::Failed;
}

bool runStatement(QSqlDatabase &db, const QString &dbPath, const QString &sql,
                  const QVariantList &values)
{
    QSqlQuery query(db);
    const Outcome outcome = run(query, dbPath, sql, values);
    if (outcome == Outcome::Failed) {
        qDebug() << " exe sqlstatement failure!\n detail:\ndbPath:" << dbPath
                 << "\n error:" << query.lastError().text() << "\n"
                 << "sql statement:" << sql;
    }
    return outcome == Outcome::Ran;
}
} // namespace

QString ProjectDatabase::databasePath()
{
    QMutexLocker lock(&pathMutex);
    if (cachedPath.isEmpty())
        cachedPath = AppSettings::dataDirectory() + QStringLiteral("/project.db");
    return cachedPath;
}

void ProjectDatabase::resetDatabasePath()
{
    QMutexLocker lock(&pathMutex);
    cachedPath.clear();
}

bool ProjectDatabase::executeStatement(const QString &sql, const QVariantList &values,
                                       const QString &path)
{
    const QString dbPath = resolved(path);
    bool ok = false;
    withConnection(dbPath, [&](QSqlDatabase &db) { ok = runStatement(db, dbPath, sql, values); });
    return ok;
}

bool ProjectDatabase::executeStatements(const QStringList &statements, const QString &path)
{
    const QString dbPath = resolved(path);
    bool ok = false;
    withConnection(dbPath, [&](QSqlDatabase &db) {
        ok = true;
        // Each one runs even after an earlier one failed, as separate calls would.
        for (const QString &sql : statements)
            ok = runStatement(db, dbPath, sql, {}) && ok;
    });
    return ok;
}

QList<QVariantList> ProjectDatabase::queryRows(const QString &sql, const QVariantList &values,
                                               int columns, const QString &path)
{
    const QString dbPath = resolved(path);
    QList<QVariantList> rows;
    withConnection(dbPath, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        const Outcome outcome = run(query, dbPath, sql, values);
        if (outcome == Outcome::NotADatabase)
            return;
        if (outcome == Outcome::Failed)
            qDebug() << "执行错误" << dbPath << "  " << query.lastError().text();
        while (query.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < columns; ++i)
                row.append(query.value(i));
            rows.append(row);
        }
    });
    return rows;
}
