#pragma once

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "uikit/basewidget.h"

#include <QJsonObject>
#include <QSize>
#include <QStringList>
#include <QTranslator>
#include <QVector>

#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QMenu;
class QPoint;
class QTableWidget;
class QTableWidgetItem;
class CaptionStore;
class MessageDistance;
class MultiviewView;
class PermissionStore;
class PortNameStore;
class ReportApplier;
class RoutingPage;
class SettingsPage;
class WallPage;
class SpliceGroups;
class SvgLabel;
class TableWidget;
class UserAccountStore;
class WallCanvas;
class WidgetDialogs;
class WidgetSplicingSetting;
class OutputWidget0409;

struct WidgetForms;

/// The main window: logs in, keeps the device connection, hands the device's reports to the
/// report applier, redraws the routing views on the store's notices, and turns the operator's
/// routing gestures into device commands. The setting and wall pages are controllers of their own.
class Widget : public BaseWidget
{
    Q_OBJECT

public:
    /// Creates the splice-group manager on the video table once, after the first login.
    using SpliceGroupsFactory = std::function<SpliceGroups *(TableWidget *videoTable, Widget *)>;
    static void setSpliceGroupsFactory(SpliceGroupsFactory factory);

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    /// False when the login at start-up was rejected; the caller ends the process with 0.
    bool loginAccepted() const { return m_loginAccepted; }

    void setMultiviewView(MultiviewView *view) { m_multiviewView = view; }
    MultiviewView *multiviewView() const { return m_multiviewView; }
    SpliceGroups *splitManager() const { return m_splitManager; }
    WidgetDialogs *dialogs() const { return m_dialogs; }
    bool hdmiAudioFollow() const;

    /// Shows the store's routes in a table.
    void refreshTable(TableWidget *table);
    /// What a wall plan recall tells the operator while the wall's reports are missing
    /// (markup: the missing ones in red).
    static QString wallPlanWarning(bool windows, bool resolution, bool rotation);
    void applyVideoRoute(int input, int output, bool clearMute);
    /// Runs the arrangement of pages, lists and tables for the store's device type.
    void arrangeForDeviceType();
    /// True while the control link is up. Otherwise the operator's change is not made: the
    /// first refusal of a disconnected spell says so briefly, and false is returned.
    /// `what` names the refused change for the log.
    bool linkReady(const QString &what);
    /// Passes a store's answer through; a refused save is shown with the database's words.
    bool saved(bool ok);
    /// Builds the tables for the store's model and layout (nothing when they are built so).
    void buildTables();
    void recallPlan(QButtonGroup *group, int index);
    QList<TableWidget *> tables() const;

signals:
    void si_ForwardAnalysis(const QString &text);
    void si_hdcpChangedByOthers(int port);
    void si_outResoluChangedByOthers(int port);
    void si_map_out_resolu_ready();
    void si_windows_ready();
    void si_rotate_degree_ready();

public slots:
    void sl_NoSignalOut(int port, int kind);
    void sl_Scalingmode(int port);
    void refrenshSignalSlot();
    void receiveVersionSlot(const QJsonObject &object);
    void SingleSplitterButtonChangeSlot(int mode);
    void sl_planBtnClicked(int btnIndex);
    void on_CaptionBtn_clicked();
    void on_btn_RestoreOrMax_clicked();
    void on_refrenshBtn_clicked();
    void receiveNetWorkSuccessfulSlot();
    void receivenetWorkFailSlot();
    void receiveConnectingSlot();
    void on_languageComboBox_currentIndexChanged(int index);
    void on_hdmiAudioComboBox_currentIndexChanged(int index);

    /// From the splice manager: a new group wants the master's picture, then the bind command.
    void sl_sendNewBindMsg(int master, const QList<int> &members);
    void sl_sendUnBindMsg(int output);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void createButtonGroups();
    void loadLanguage();
    void retranslateForm();
    void parkHiddenPages();
    void attachPage(int index);
    void connectViews();
    void connectProtocol();
    /// The client's reports to the report applier, its notices and the store's to the views.
    void connectReports();
    void runStartupLogin();
    void afterLogin();
    void reLogin();
    void applyPermissions();
    void checkVideoCellPermissions();
    void showPortWarning();
    void showMessage(const QString &title, const QString &text);
    void showDefaultNamesAfresh();
    void retranslateDynamicTexts();
    void onPageChanged(int index);
    void setConnectionText(AppSettings::ConnectionState state, bool afterLanguageChange);
    void showLinkNotice();
    void applyHdmiAudioFollow(bool follow);
    void loadPlanNames();
    QString tabStyle(bool shifted) const;

    WidgetForms *m_ui;
    QWidget *m_content = nullptr;
    /// Pages not shown yet, by tab index, and the hidden holder that keeps them meanwhile.
    QVector<QWidget *> m_parkedPages;
    QWidget *m_pageHolder = nullptr;
    bool m_isMaximized = false;
    QButtonGroup *m_splitterGroup = nullptr;
    int m_tabVideo = 0;
    int m_tabJoint = 1;
    int m_tabAudio = 2;
    int m_tabInfrared = 3;
    int m_tabSetting = 4;
    int m_tabAbout = 5;
    std::unique_ptr<PermissionStore> m_permissions;
    std::unique_ptr<CaptionStore> m_captionOsdStore;
    SpliceGroups *m_splitManager = nullptr;
    QStringList m_inputColors;
    QButtonGroup *m_planGroupVideo = nullptr;
    QButtonGroup *m_planGroupWall = nullptr;
    std::unique_ptr<PortNameStore> m_portNames;
    std::unique_ptr<UserAccountStore> m_userAccounts;
    QTranslator m_translator;
    SvgLabel *m_titleLogo = nullptr;
    QLabel *m_linkNotice = nullptr;
    OutputWidget0409 *m_canvas = nullptr;
    bool m_linkNoticeShown = false; // in this disconnected spell

    MessageDistance *m_client = nullptr;
    ReportApplier *m_reports = nullptr;
    RoutingPage *m_routing = nullptr;
    SettingsPage *m_settings = nullptr;
    WallPage *m_wall = nullptr;
    WallCanvas *m_wallCanvas = nullptr;
    MultiviewView *m_multiviewView = nullptr;
    class WidgetMenus *m_menus = nullptr;
    WidgetDialogs *m_dialogs = nullptr;
    bool m_loginAccepted = true;
    bool m_loginFree = false;
};
