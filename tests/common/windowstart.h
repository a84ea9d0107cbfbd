#pragma once

// What the suites that start the main window share: the settings of a start, a user with
// rights of their own, and looking up menu entries.

#include "app/appsettings.h"
#include "mainwindow/widgetmenus.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QAction>
#include <QMenu>

#include <functional>

/// The settings a login-free start finds in `dataDir`: English, and the device at `port` on
/// loopback (never any other address), taking files at `uploadPort` when one is given.
inline void prepareLoginFreeStart(const QString &dataDir, quint16 port, quint16 uploadPort = 0)
{
    AppSettings::setDataDirectory(dataDir);
    ProjectDatabase::resetDatabasePath();
    AppSettings *settings = AppSettings::instance();
    settings->reload();
    settings->setNetWork(QStringLiteral("127.0.0.1"), port);
    if (uploadPort)
        settings->setUploadPort(uploadPort);
    settings->setLanguage(1);
    UserAccountStore().setLoginModel(1);
}

/// Adds an ordinary user with the rights a new user gets; its id, or 0 when that failed.
inline int addOperator(const QString &name)
{
    UserAccountStore users;
    if (!users.addUser(name, QStringLiteral("secret")) ||
        !PermissionStore().initUserPermissions(name))
        return 0;
    for (const QVariantList &row : users.allUsers()) {
        if (row.value(1).toString() == name)
            return row.value(0).toInt();
    }
    return 0;
}

/// A rights list of `count` entries allowing all but the `refused` ones (0-based).
inline QString allBut(int count, const QList<int> &refused)
{
    QList<bool> mask;
    for (int i = 0; i < count; ++i)
        mask << !refused.contains(i);
    return PermissionList::join(mask);
}

/// An operator "operator" with every right but those listed (0-based, per kind).
inline bool restrictOperator(const QList<int> &inputs, const QList<int> &outputs,
                             const QList<int> &functions, const QList<int> &audio = {})
{
    const int id = addOperator(QStringLiteral("operator"));
    return id > 1 &&
           PermissionStore().savePermissions(id, allBut(PermissionList::InputCount, inputs),
                                             allBut(PermissionList::OutputCount, outputs),
                                             allBut(PermissionList::AudioCount, audio),
                                             PermissionList::allowAll(PermissionList::AnalogCount),
                                             allBut(PermissionList::FunctionCount, functions));
}

/// The menu `window` runs while `request` is made, or null when it runs none.
inline QMenu *menuOpenedBy(QObject *window, const std::function<void()> &request)
{
    QMenu *opened = nullptr;
    const QMetaObject::Connection c =
        QObject::connect(window->findChild<WidgetMenus *>(), &WidgetMenus::menuAboutToRun,
                         [&opened](QMenu *menu) { opened = menu; });
    request();
    QObject::disconnect(c);
    return opened;
}

/// The shown entry with this text in the menu or in any of its submenus.
inline QAction *findAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (!action->isVisible())
            continue;
        if (action->text() == text)
            return action;
        if (QAction *inner = action->menu() ? findAction(action->menu(), text) : nullptr)
            return inner;
    }
    return nullptr;
}
