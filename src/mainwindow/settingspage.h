#pragma once

#include "state/devicestate.h"

#include <QObject>

class ConsoleModel;
class MessageDistance;
class PermissionStore;
class ProtocolConsole;
class QWidget;
struct WidgetForms;

/// The setting and About pages: the device's network settings and DHCP, factory reset, the
/// wall's bezel, user management, and what the About page tells of the device and the program.
class SettingsPage : public QObject
{
    Q_OBJECT

public:
    /// `window` parents the dialogs; everything given outlives the page.
    SettingsPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                 PermissionStore *permissions, QWidget *window);

    void confirmFactoryReset();
    /// The user's rights on the page's controls.
    void applyRights();
    /// Shows the login-free switch as stored, without announcing it.
    void showLoginFree(bool on);
    /// Records the protocol from the start; the console showing it is built when first opened.
    ConsoleModel *consoleModel() const { return m_consoleModel; }
    ProtocolConsole *console() const { return m_console; }

signals:
    /// The operator turned login-free start-up on or off.
    void loginFreeToggled(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onStateChanged(DeviceState::Part part);
    void showNetwork();
    void showAbout();
    /// The device acknowledges a network change or a reset; only then is the operator told.
    void onAcknowledged();
    void editBezel();
    void showConsole(bool shown);

    WidgetForms *m_ui;
    MessageDistance *m_client;
    DeviceState *m_state;
    PermissionStore *m_permissions;
    QWidget *m_window;
    bool m_networkChangePending = false;
    ConsoleModel *m_consoleModel;
    ProtocolConsole *m_console = nullptr;
};
