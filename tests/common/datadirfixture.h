#pragma once

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QDebug>
#include <QScopedPointer>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

// Every test gets a data directory of its own (config.ini, project.db, password.txt), nobody
// logged in, and a known device.
struct DataDirFixture
{
    QScopedPointer<QTemporaryDir> dir;

    void setUp()
    {
        dir.reset(new QTemporaryDir);
        AppSettings::setDataDirectory(dir->path());
        AppSettings::instance()->reload();
        ProjectDatabase::resetDatabasePath();
        AppSettings::instance()->setCurrentUser(QString());
        AppSettings::instance()->setCurrentUserType(1);
        DeviceState *state = DeviceState::instance();
        state->setIp(QStringLiteral("127.0.0.1"));
        state->setPort(4001);
        state->setDeviceType(Dev0409S);
    }

    QString path(const QString &file) const { return dir->path() + QLatin1Char('/') + file; }

    // What is on disk, not what AppSettings may hold in memory.
    QVariant stored(const QString &key) const
    {
        return QSettings(path(QStringLiteral("config.ini")), QSettings::IniFormat).value(key);
    }

    // Runs raw SQL against project.db, for faults the application itself never causes.
    static bool rawSql(const QString &sql)
    {
        bool ok = false;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-raw"));
            db.setDatabaseName(ProjectDatabase::databasePath());
            if (db.open()) {
                QSqlQuery query(db);
                ok = query.exec(sql);
                if (!ok)
                    qWarning() << query.lastError().text();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-raw"));
        return ok;
    }
};
