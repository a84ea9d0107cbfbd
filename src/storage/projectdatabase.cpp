#include "projectdatabase.h"

#include "app/appsettings.h"
#include "fileaccess.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cerrno>
#include <functional>

namespace {
QMutex pathMutex;
QString cachedPath;

// Paths whose file could not be used; reported once until a call on them succeeds again,
// so that a broken file does not flood the log with one line per statement.
QMutex unusableMutex;
QSet<QString> unusablePaths;

const char *const notADatabaseCode = "26"; // SQLITE_NOTADB

// Calls run on the GUI thread; each thread keeps its own so that it always describes the
// caller's own last call.
thread_local QString lastFailure;

void setFailure(const QString &path, const QString &error)
{
    lastFailure = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error);
}

// The database's own words; Qt's driver adds a generic sentence that says nothing more.
QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QString notAFileText()
{
    return QCoreApplication::translate("ProjectDatabase", "not a file");
}

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
// object that used it is gone. A file that cannot be opened is reported, and `work` not run.
void withConnection(const QString &path, const std::function<void(QSqlDatabase &)> &work)
{
    lastFailure.clear();
    // A FIFO or device node would make SQLite block on its first read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        reportUnusable(path, QStringLiteral("not a regular file"));
        setFailure(path, notAFileText());
        return;
    }
    if (!info.exists())
        FileAccess::createOwnerOnly(path);

    const QString name = connectionName();
    {
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            work(db);
        } else {
            reportUnusable(path, db.lastError().text());
            setFailure(path, errorText(db.lastError()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
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
    setFailure(dbPath, errorText(query.lastError()));
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
        QString firstFailure;
        // Each one runs even after an earlier one failed, as separate calls would.
        for (const QString &sql : statements) {
            ok = runStatement(db, dbPath, sql, {}) && ok;
            if (!ok && firstFailure.isEmpty())
                firstFailure = lastFailure;
        }
        lastFailure = firstFailure;
    });
    return ok;
}

bool ProjectDatabase::executeBatch(const QString &sql, const QList<QVariantList> &rows,
                                   const QString &path)
{
    const QString dbPath = resolved(path);
    bool ok = false;
    withConnection(dbPath, [&](QSqlDatabase &db) {
        if (!db.transaction()) {
            setFailure(dbPath, errorText(db.lastError()));
            return;
        }
        ok = true;
        for (const QVariantList &values : rows) {
            if (!runStatement(db, dbPath, sql, values)) {
                ok = false;
                break;
            }
        }
        if (ok && !db.commit()) {
            setFailure(dbPath, errorText(db.lastError()));
            ok = false;
        }
        if (!ok) {
            const QString failure = lastFailure;
            db.rollback();
            lastFailure = failure;
        }
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

QString ProjectDatabase::lastError()
{
    return lastFailure;
}

namespace {
// Runs one statement on the check's connection; false with the database's words in `error`.
bool probe(QSqlDatabase &db, const QString &sql, QString *error, QStringList *rows = nullptr)
{
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        *error = errorText(query.lastError());
        return false;
    }
    while (rows && query.next())
        rows->append(query.value(0).toString());
    return true;
}
} // namespace

ProjectDatabase::Health ProjectDatabase::checkHealth(const QString &path)
{
    Health health;
    health.path = resolved(path);
    const QFileInfo info(health.path);
    if (info.exists() && !info.isFile()) {
        health.state = Health::Unusable;
        health.error = notAFileText();
        return health;
    }
    if (!info.exists() && !FileAccess::createOwnerOnly(health.path)) {
        health.state = Health::Unusable;
        health.error = qt_error_string(errno);
        return health;
    }

    const QString name = connectionName() + QStringLiteral("-check");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(health.path);
        QStringList problems;
        if (!db.open()) {
            health.state = Health::Unusable;
            health.error = errorText(db.lastError());
        } else if (!probe(db, QStringLiteral("PRAGMA quick_check"), &health.error, &problems)) {
            health.state = Health::Unusable;
        } else if (problems != QStringList{QStringLiteral("ok")}) {
            // Up to a hundred lines of page numbers; the first few say enough.
            health.state = Health::Unusable;
            health.error = problems.mid(0, 3).join(QStringLiteral("; ")).simplified();
        } else {
            // A real change, so that the journal has to be created next to the file too; it
            // is rolled back and never reaches the user's data.
            QString error;
            const bool began = probe(db, QStringLiteral("BEGIN IMMEDIATE"), &error);
            if (!began ||
                !probe(db, QStringLiteral("CREATE TABLE corvane_write_probe(x)"), &error)) {
                health.state = Health::ReadOnly;
                health.error = error;
            }
            if (began) {
                QString ignored;
                probe(db, QStringLiteral("ROLLBACK"), &ignored);
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (health.state != Health::Usable)
        qDebug().noquote() << "project database" << health.path << "-" << health.error;
    return health;
}
