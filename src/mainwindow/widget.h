#pragma once

#include "uikit/basewidget.h"

#include <QTranslator>

#include <memory>

class ActivityPage;
class CaptionStore;
class MessageDistance;
class MultiviewPage;
class MultiviewView;
class ParkedPages;
class PermissionStore;
class PlanBars;
class PortNameStore;
class QJsonObject;
class ReportApplier;
class RoutingPage;
class SettingsPage;
class SpliceGroups;
class TitleBar;
class UserAccountStore;
class WallPage;
class WidgetDialogs;
class WidgetMenus;

struct WidgetForms;

/// The main window's shell: builds the pages and their controllers, runs the login, hands the
/// device's reports to the report applier, arranges the pages for the reported model, and
/// switches the language. The pages follow the store's notices themselves.
class Widget : public BaseWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    /// False when the login at start-up was rejected; the caller ends the process with 0.
    bool loginAccepted() const { return m_loginAccepted; }

    MultiviewView *multiviewView() const;
    SpliceGroups *splitManager() const;
    WidgetDialogs *dialogs() const { return m_dialogs; }
    TitleBar *titleBar() const { return m_title; }
    /// Applies the device's reports; its notices are what the dialogs and the wall wait for.
    ReportApplier *reports() const { return m_reports; }
    bool hdmiAudioFollow() const;
    /// Runs the arrangement of pages, lists and tables for the store's device type.
    void arrangeForDeviceType();
    /// Passes a store's answer through; a refused save is shown with the database's words.
    bool saved(bool ok);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    void buildPages();
    /// The activity log: its recorder (from the start) and its page.
    void buildActivityLog();
    void switchLanguage(int index);
    void connectReports();
    void onVersion(const QJsonObject &object);
    void runStartupLogin();
    void afterLogin();
    void reLogin();
    void applyPermissions();
    void showPortWarning();
    void onPageChanged(int index);
    void applyHdmiAudioFollow(bool follow);

    WidgetForms *m_ui;
    QWidget *m_content = nullptr;
    ParkedPages *m_parked = nullptr;
    std::unique_ptr<PermissionStore> m_permissions;
    std::unique_ptr<CaptionStore> m_captionOsdStore;
    std::unique_ptr<PortNameStore> m_portNames;
    std::unique_ptr<UserAccountStore> m_userAccounts;
    QTranslator m_translator;

    MessageDistance *m_client = nullptr;
    ReportApplier *m_reports = nullptr;
    TitleBar *m_title = nullptr;
    RoutingPage *m_routing = nullptr;
    ActivityPage *m_activity = nullptr;
    MultiviewPage *m_multiview = nullptr;
    PlanBars *m_plans = nullptr;
    SettingsPage *m_settings = nullptr;
    WallPage *m_wall = nullptr;
    WidgetMenus *m_menus = nullptr;
    WidgetDialogs *m_dialogs = nullptr;
    bool m_loginAccepted = true;
    bool m_loginFree = false;
};
