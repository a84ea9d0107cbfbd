#pragma once

#include <QObject>

class QAction;
class QButtonGroup;
class QListWidgetItem;
class QMenu;
class QPoint;
class QTableWidgetItem;
class MessageDistance;
class PermissionStore;
class PortNameStore;
class TableWidget;
class WallCanvas;
class Widget;
struct WidgetForms;

/// The context menus of the main window's tables and input list, the plan menu and renaming.
/// Lives as long as its window.
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
        QButtonGroup *planGroupVideo = nullptr;
        QButtonGroup *planGroupWall = nullptr;
        int infraredTab = 0;
    };

    WidgetMenus(Widget *window, const Parts &parts);

    /// Gives the tables and the input list their menus.
    void attach();

    /// Menus and dialogs that stay open while reports arrive hold port numbers, never items a
    /// report may rebuild; the item is looked up when the choice is made.
    void renameInputItem(QListWidgetItem *item);
    void renameInput(int kind, int port);
    void renameOutputItem(QTableWidgetItem *item);
    void renameOutput(int port);
    void showPlanMenu(QButtonGroup *group, int btnIndex);

    /// The fixed output resolutions offered for every output.
    static QStringList resolutions();
    /// The menus open modally; tests read the last one built before it runs.
    QMenu *lastMenu() const { return m_lastMenu; }

signals:
    /// Emitted with every menu just before it runs.
    void menuAboutToRun(QMenu *menu);

private:
    void showOutputMenu(const QPoint &pos);
    void addResolutionMenu(QMenu *menu, int port);
    void addStandbyMenu(QMenu *menu, TableWidget *table, int port);
    void addLayoutMenu(QMenu *menu);
    void showAudioMenu(TableWidget *table, const QPoint &pos);
    void showInfraredMenu(const QPoint &pos);
    void showInputMenu(const QPoint &pos);
    QMenu *newMenu();
    void run(QMenu *menu);
    void clearCell(TableWidget *table, int port);
    bool portRight(int port, int kind) const;
    bool listRight(int index) const;

    Widget *m_window;
    Parts m_parts;
    QMenu *m_lastMenu = nullptr;
};
