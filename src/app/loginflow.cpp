#include "loginflow.h"

#include "app/appsettings.h"
#include "logindialog.h"
#include "storage/useraccountstore.h"
#include "users/permissionstore.h"

LoginFlow::LoginFlow(UserAccountStore *users, PermissionStore *permissions, QWidget *dialogParent)
    : m_users(users), m_permissions(permissions), m_dialogParent(dialogParent),
      m_runner([](LoginDialog &dialog) { return dialog.exec(); })
{
}

LoginFlow::Outcome LoginFlow::startup()
{
    const int model = m_users ? m_users->loginModel() : 0;
    if (model != 1)
        return runDialog() ? LoggedIn : Rejected;

    // Login-free: the configured user is the one logged in, and the rights loaded are that
    // user's, not those of whatever name was held before.
    AppSettings *settings = AppSettings::instance();
    const QString name = settings->userName();
    settings->setCurrentUser(name);
    settings->setCurrentUserType(m_users->userType(name));
    if (m_permissions)
        m_permissions->loadCurrentUser(name);
    return LoginFree;
}

bool LoginFlow::relogin()
{
    return runDialog();
}

bool LoginFlow::runDialog()
{
    LoginDialog dialog(m_dialogParent);
    dialog.setUserAccountStore(m_users);
    if (m_runner(dialog) != 1)
        return false;
    if (m_permissions)
        m_permissions->loadCurrentUser(AppSettings::instance()->currentUser());
    return true;
}
