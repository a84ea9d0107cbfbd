#pragma once

#include "uikit/framelessdialog.h"

class MessageDistance;
class QTimer;
class UserAccountStore;

namespace Ui {
class LoginDialog;
}

/// The login window: user name and password checked against the local user table. Ends with
/// result 1 when a user logged in, 0 when closed. While open it also answers the device
/// client's connection notices.
class LoginDialog : public FramelessDialog
{
    Q_OBJECT

public:
    /// Listens to `client`, or to the application's client when none is given.
    explicit LoginDialog(QWidget *parent = nullptr, MessageDistance *client = nullptr);
    ~LoginDialog() override;

    /// The accounts to check against; also fills in a remembered password.
    void setUserAccountStore(UserAccountStore *users);
    UserAccountStore *userAccountStore() const { return m_users; }

    /// How long a tip stays before it is cleared.
    static constexpr int TipMs = 2000;

public slots:
    void on_btnLogin_clicked();
    void on_settingBtn_clicked();
    void on_btnClose_clicked();
    void on_mini_clicked();
    void on_btnPasswordShow_clicked();

private slots:
    void onConnectSuccessful();
    void onConnectFailure();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showTip(const QString &text);
    void applyPasswordButtonStyle();

    Ui::LoginDialog *m_ui;
    UserAccountStore *m_users = nullptr;
    bool m_typeListDisabled = false;
    QTimer *m_tipTimer;
};
