#pragma once

#include "app/appsettings.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QPointer>
#include <QScopedPointer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>

// Every test gets a data directory of its own: project.db, config.ini and password.txt.
struct UserDialogFixture
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
    }

    QString path(const QString &file) const { return dir->path() + QLatin1Char('/') + file; }

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

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

// Acts on the next modal dialog of type T as soon as it is shown. Gives up after 15 s, closing
// whatever is modal then, so a test that waits for the wrong dialog fails instead of hanging.
template <typename T> void whenModal(std::function<void(T *)> act)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
        QWidget *modal = QApplication::activeModalWidget();
        T *dialog = qobject_cast<T *>(modal);
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            act(dialog);
            return;
        }
        if (clock->elapsed() > 15000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            qWarning("expected modal dialog never appeared");
            if (modal)
                modal->close();
        }
    });
    timer->start();
}
