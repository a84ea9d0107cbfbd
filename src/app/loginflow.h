#pragma once

#include <functional>

class LoginDialog;
class PermissionStore;
class QWidget;
class UserAccountStore;

/// The login decisions the main window makes at start-up and on "ReLogin", kept apart from the
/// window so that they can be tested. The window applies the loaded permissions itself.
class LoginFlow
{
public:
    enum Outcome
    {
        Rejected,  ///< the dialog was closed: the caller ends (exit code 0 at start-up)
        LoggedIn,  ///< a user logged in through the dialog
        LoginFree, ///< login-free mode: the configured user, no dialog
    };

    /// Either store may be null; without a PermissionStore no rights are loaded.
    LoginFlow(UserAccountStore *users, PermissionStore *permissions,
              QWidget *dialogParent = nullptr);

    /// Runs the dialog and returns its result; exec() unless replaced (tests drive the dialog).
    using DialogRunner = std::function<int(LoginDialog &)>;
    void setDialogRunner(DialogRunner runner) { m_runner = std::move(runner); }

    /// The start-up decision by the stored login mode: 0 shows the dialog, 1 logs in silently.
    Outcome startup();
    /// Shows the dialog again; true when someone logged in, with that user's rights loaded.
    bool relogin();

private:
    bool runDialog();

    UserAccountStore *m_users;
    PermissionStore *m_permissions;
    QWidget *m_dialogParent;
    DialogRunner m_runner;
};
