#pragma once

#include "state/devicestate.h"
#include "state/routehistory.h"
#include "state/stagedroutes.h"

#include <QDeadlineTimer>
#include <QMap>
#include <QObject>
#include <QVector>

#include <functional>
#include <memory>

class MessageDistance;
class QButtonGroup;
class QShortcut;
class QTimer;
class PermissionStore;
class PortNameStore;
class ReportApplier;
class SpliceGroups;
class TableWidget;
class VideoSplitManager;
struct WidgetForms;

/// The routing pages' tables and signal list: they show what the store holds, and a drop or a
/// cell button becomes the device command, within the operator's rights and only while the link
/// is up. Everything given outlives the page.
class RoutingPage : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        /// True while the link is up; otherwise the window has told the operator.
        std::function<bool(const QString &what)> linkReady;
        std::function<void()> portWarning;
    };

    RoutingPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                ReportApplier *reports, PermissionStore *permissions, PortNameStore *portNames,
                Hooks hooks, QObject *parent);
    ~RoutingPage() override;

    /// Lays the tables out for the store's model and layout (nothing when they are laid out
    /// so already), with their names, colours and types.
    void buildTables();
    /// Every model's audio page alike: analog on the left, HDMI audio on the right, one table
    /// alone in the middle.
    void arrangeAudioPage();

    /// The splice groups of the video table, made at the first login (null until then).
    void createSpliceGroups();
    SpliceGroups *spliceGroups() const;
    /// Shows the store's routes in a table.
    void refreshTable(TableWidget *table);
    /// The model's splice bar and fixed layout, its signal list and tables.
    void arrangeFor(DeviceType type);
    /// The user's rights on the tables' cells and the splice bar.
    void applyRights();
    /// Reads the port names into the settings and the signal list.
    void loadPortNames();
    /// Every port's name again, after a change of language: unnamed ports show the default
    /// name in the new language.
    void showNamesAfresh();
    /// The stored output names on the four tables: one output number, one name.
    void showOutputNames();
    QList<TableWidget *> tables() const;

    /// The operator's own routing steps, undone and redone by the title bar's buttons,
    /// Ctrl+Z and Ctrl+Shift+Z.
    RouteHistory *history() const { return m_history; }
    void undo();
    void redo();
    /// The undo and redo buttons' state and texts, in the current language.
    void showHistory();

    /// Take mode: while on, a drop stages its route until take() sends all staged routes or
    /// cancelStaged() drops them. Turning it off with routes staged asks first.
    void setTakeMode(bool on);
    bool takeMode() const { return m_takeMode; }
    StagedRoutes *staged() const { return m_staged; }
    void take();
    void cancelStaged();
    /// The take bar and its keys belong to the routing pages only.
    void setTakeBarShown(bool shown);

private:
    /// The 0808-S's splice mode presets.
    void buildSpliceModes();
    /// A splice mode the device reported: its one group and its button.
    void showSpliceMode(int mode);
    /// The operator's splice mode: rights, the command, then as if reported.
    void applySpliceMode(int mode);
    void onStateChanged(DeviceState::Part part, const QList<int> &ports);
    void onDrop(TableWidget *table, int input, int output);
    bool groupAllows(int port, int listRight) const;
    /// Sets a step's routes back (`back`) or forward again, within the rights and only while
    /// the link is up; otherwise the step stays where it was.
    void replay(const RouteHistory::Step &step, bool back);
    /// One route to the store and the device, as a drop makes it.
    void sendRoute(RouteHistory::Kind kind, int output, int input);
    /// The staged routes in their cells, their count and the take bar's state.
    void showStaged();
    /// The groups now shown; after an operator's splice or unsplice, its undo step.
    void onGroupsChanged(const QMap<int, QList<int>> &groups);
    /// Another client routed `output`: its cell carries a mark for a minute.
    void markChangedByOthers(int layer, int output);
    /// The marks still due on the cells; those whose minute is over go.
    void showRecentChanges();
    /// The table that shows `output` of this kind.
    TableWidget *tableFor(RouteHistory::Kind kind, int output) const;
    void onLock(int port, bool lock);
    /// Pause or mute of a cell button: the state goes to the port's whole splice group.
    void applyToGroup(int port, bool on, void (DeviceState::*store)(int, bool),
                      void (MessageDistance::*send)(int, bool));

    WidgetForms *m_ui;
    MessageDistance *m_client;
    DeviceState *m_state;
    ReportApplier *m_reports;
    PermissionStore *m_permissions;
    PortNameStore *m_portNames;
    Hooks m_hooks;
    RouteHistory *m_history;
    StagedRoutes *m_staged;
    bool m_takeMode = false;
    bool m_takeBarShown = true;
    QList<QShortcut *> m_takeKeys;
    struct RecentChange
    {
        QDeadlineTimer until;
        QString text;
    };
    QMap<QPair<int, int>, RecentChange> m_recent; // (kind, output)
    QTimer *m_recentTimer;
    QMap<int, QList<int>> m_groupsShown;
    /// Set by an operator's splice or unsplice until the groups it made are shown.
    bool m_spliceSent = false;
    QList<RouteHistory::Route> m_spliceRoutes;
    std::unique_ptr<VideoSplitManager> m_groups;
    QButtonGroup *m_spliceModes = nullptr;
    QVector<int> m_builtLayout; // device type, bind mode, splitter mode of the built tables
};
