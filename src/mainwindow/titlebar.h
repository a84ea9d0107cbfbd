#pragma once

#include "app/appsettings.h"

#include <QObject>

class DeviceState;
class MessageDistance;
class QLabel;
class QWidget;
struct WidgetForms;

/// The window's title bar: the logo, the connection line (user, address, the link's state in
/// words and colour), the window buttons, and the brief notice when an operator's change finds
/// the link down. Everything given outlives it.
class TitleBar : public QObject
{
    Q_OBJECT

public:
    /// `content` holds the notice; `window` is the frameless window the buttons act on.
    TitleBar(WidgetForms *ui, MessageDistance *client, DeviceState *state, QWidget *content,
             QWidget *window);

    /// True while the control link is up. Otherwise the operator's change is not made: the
    /// first refusal of a disconnected spell says so briefly, and false is returned.
    /// `what` names the refused change for the log.
    bool linkReady(const QString &what);
    void showLinkNotice();
    void showConnection(AppSettings::ConnectionState state, bool afterLanguageChange = false);
    bool isMaximized() const { return m_maximized; }
    void retranslate();

signals:
    /// Maximised or restored by its button.
    void maximizedChanged(bool maximized);

private:
    void setState(AppSettings::ConnectionState state);
    void toggleMaximized();

    WidgetForms *m_ui;
    MessageDistance *m_client;
    DeviceState *m_state;
    QWidget *m_content;
    QWidget *m_window;
    QLabel *m_linkNotice = nullptr;
    bool m_linkNoticeShown = false; // in this disconnected spell
    bool m_maximized = false;
};
