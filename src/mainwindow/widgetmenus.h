#pragma once

#include <QObject>

#include <functional>

class QAction;
class QButtonGroup;
class QMenu;
class QPoint;
class MessageDistance;
class PermissionStore;
class PlanBars;
class PortNameStore;
class ReportApplier;
class RoutingPage;
class SpliceGroups;
class TableWidget;
class WallCanvas;
class Widget;
class WidgetDialogs;
struct WidgetForms;

/// The context menus of the main window's tables and input list, the plan menu and renaming
/// (F2 or the menus). Each menu is built once, when first opened; every opening sets its texts,
/// rights and marks for the port it was opened on. Actions hold port numbers, never table items
/// a report may rebuild while the menu is open. Lives as long as its window.
class WidgetMenus : public QObject
{
    Q_OBJECT

public:
    /// What the menus work on; the window owns all of it and outlives the menus.
    struct Parts
    {
        WidgetForms *ui = nullptr;
        MessageDistance *client = nullptr;
        PermissionStore *permissions = nullptr;
        PortNameStore *portNames = nullptr;
        WallCanvas *wallCanvas = nullptr;
        PlanBars *plans = nullptr;
        RoutingPage *routing = nullptr;
        WidgetDialogs *dialogs = nullptr;
        ReportApplier *reports = nullptr;
        std::function<bool(const QString &what)> linkReady;
        std::function<SpliceGroups *()> spliceGroups;
    };

    WidgetMenus(Widget *window, Parts parts);

    void renameInput(int kind, int port);
    void renameOutput(int port);
    void showPlanMenu(QButtonGroup *bar, int index);

    /// The fixed output resolutions offered for every output.
    static QStringList resolutions();

signals:
    /// Emitted with every menu just before it runs.
    void menuAboutToRun(QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Undo and redo of the operator's last routing steps, at the foot of the routing menus.
    struct HistoryEntries
    {
        QAction *undo = nullptr, *redo = nullptr;
    };
    struct OutputMenu
    {
        QMenu *menu = nullptr;
        int port = 0;
        QAction *splice, *rename, *noSignal, *scaling, *pattern, *clear;
        QMenu *resolution, *standby, *layout;
        HistoryEntries history;
    };
    struct AudioMenu
    {
        QMenu *menu = nullptr;
        TableWidget *table = nullptr;
        int port = 0;
        QAction *digital, *analog, *rename, *clear;
        HistoryEntries history;
    };
    struct InfraredMenu
    {
        QMenu *menu = nullptr;
        int port = 0;
        QAction *rename, *clear;
        HistoryEntries history;
    };
    struct InputMenu
    {
        QMenu *menu = nullptr;
        int kind = 0;
        int port = 0;
        QAction *rename, *pattern, *osd, *edid, *volume, *resolutionShown;
        QMenu *resolution, *hdcp;
    };
    struct PlanMenu
    {
        QMenu *menu = nullptr;
        QButtonGroup *bar = nullptr;
        int index = 0;
        QAction *recall, *save, *clear, *rename;
    };

    void showOutputMenu(const QPoint &pos);
    void buildOutputMenu();
    void showAudioMenu(TableWidget *table, const QPoint &pos);
    void showInfraredMenu(const QPoint &pos);
    void showInputMenu(const QPoint &pos);
    void buildInputMenu();
    void buildPlanMenu();
    void renamePlan(int index);
    void setStandby(bool standby);
    void setLayout(int mode);
    /// An entry's text in the language shown and whether the user may choose it.
    static void offer(QAction *action, const QString &text, bool enabled);
    /// Marks the one entry of an exclusive submenu whose data or text matches.
    static void markCurrent(QMenu *menu, const QVariant &current);
    QMenu *newMenu();
    QAction *addAction(QMenu *menu, std::function<void()> run);
    void run(QMenu *menu);
    void clearCell(TableWidget *table, int port);
    HistoryEntries addHistory(QMenu *menu);
    void offerHistory(const HistoryEntries &entries) const;
    bool portRight(int port, int kind) const;
    bool listRight(int index) const;

    Widget *m_window;
    Parts m_parts;
    OutputMenu m_output;
    AudioMenu m_audio;
    InfraredMenu m_infrared;
    InputMenu m_input;
    PlanMenu m_plan;
};
