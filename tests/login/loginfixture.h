#pragma once

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QDialog>
#include <QScopedPointer>
#include <QSettings>
#include <QTemporaryDir>

// A fresh data directory (config.ini and project.db) and a known device state for each test.
struct LoginFixture
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

    // What is on disk, not what AppSettings may hold in memory.
    QVariant stored(const QString &key) const
    {
        QSettings file(dir->path() + QStringLiteral("/config.ini"), QSettings::IniFormat);
        return file.value(key);
    }
};

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}
