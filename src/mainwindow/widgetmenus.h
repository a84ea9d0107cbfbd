#pragma once

#include <QObject>

class QAction;
class QButtonGroup;
class QListWidgetItem;
class QMenu;
class QPoint;
class QTableWidgetItem;
class TableWidget;
class Widget;

/// The context menus of the main window's tables and input list, the plan menu and renaming.
/// Lives as long as its window and reaches the window's form directly.
class WidgetMenus : public QObject
{
    Q_OBJECT

public:
    explicit WidgetMenus(Widget *window);

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
    void showAudioMenu(TableWidget *table, const QPoint &pos);
    void showInfraredMenu(const QPoint &pos);
    void showInputMenu(const QPoint &pos);
    QMenu *newMenu();
    void run(QMenu *menu);
    void clearCell(TableWidget *table, int port);
    bool portRight(int port, int kind) const;
    bool listRight(int index) const;

    Widget *m_window;
    QMenu *m_lastMenu = nullptr;
};
