#pragma once

// TableWidget: one matrix table of output cells that inputs are dropped onto.
//   setTableLayout(columns, rows)   rebuilds every cell (see videoLayout / audioLayout)
//   setPortBase, setTableType, setStripVideoOffset, setHeaderColor, setOutputNames,
//   setInputColors, setPermissions  configuration, set by the main window
//   setSpliceGroups, setGroupColorHook      splice groups, from outside
//   setOutputEnabled / isOutputEnabled       a disabled cell takes no drop and opens no menu
//   itemForOutput, cellForOutput, cellForItem, outputs             cell lookup
//   setCellInput, refreshFromRoute, clearItem                      routed inputs
//   refreshOutputFlags, applyButtonRights, refreshOutputNames, refreshLook, fitCells
//   dropAllowed                     the permission check of a drop onto an output
// Items carry the output number in Qt::UserRole and the routed input code in Qt::UserRole + 1.
// Signals: dropPortToItemSig(input, output), layoutChangedSig(),
// si_requsetCheckPermissionLabelClicked(), si_showPermissionWarningDialog(),
// si_orderToLock(port, lock), si_orderToPause(port, pause), si_orderToMute(port, mute).
// The table never sends device commands itself.

#include "state/devicetype.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QTableWidget>

#include <functional>

class PermissionStore;
class QFrame;
class TableItemWidget;
struct CellLook;

class TableWidget : public QTableWidget
{
    Q_OBJECT

public:
    enum TableType
    {
        VideoTable = 0,
        AnalogAudioTable = 2,
        HdmiAudioTable = 3,
        InfraredTable = 4,
    };

    static constexpr int OutputRole = Qt::UserRole;
    static constexpr int InputRole = Qt::UserRole + 1;

    /// Colour of the cells of a splice group, given its master and its position among groups.
    using GroupColorHook = std::function<QString(int master, int groupIndex)>;

    explicit TableWidget(QWidget *parent = nullptr);
    ~TableWidget() override;

    /// Columns x rows of the video table for a device type and bind mode.
    static QSize videoLayout(DeviceType type, int bindMode);
    /// Columns x rows of the audio and infrared tables for a device type.
    static QSize audioLayout(DeviceType type);

    /// Rebuilds all cells; see the numbering rules in the source.
    void setTableLayout(int columns, int rows);
    /// With `later` set, a layout made while the table is hidden creates its cell widgets when
    /// the table is first shown or a cell is asked for; routes and names meanwhile are kept in
    /// the items and the state. For tables on pages that are not shown at start-up.
    void setCellsWhenShown(bool later);
    /// Whether cell widgets are still to be created for the current layout.
    bool cellsPending() const { return m_cellsPending; }
    /// The video table's layout for `bindMode` on the store's device type.
    void setLayoutForBindMode(int bindMode);

    void setPortBase(int base) { m_portBase = base; }
    int portBase() const { return m_portBase; }
    void setStripVideoOffset(bool strip) { m_stripVideoOffset = strip; }
    bool stripVideoOffset() const { return m_stripVideoOffset; }
    void setTableType(int type);
    int tableType() const { return m_tableType; }
    void setHeaderColor(const QString &color);
    QString headerColor() const { return m_headerColor; }
    /// Names keyed by output number less the port base; missing names come from AppSettings.
    void setOutputNames(const QMap<int, QString> &names);
    /// Colours handed out to splice groups in turn.
    void setInputColors(const QStringList &colors);
    /// Null lets every drop through.
    void setPermissions(const PermissionStore *permissions) { m_permissions = permissions; }
    const PermissionStore *permissions() const { return m_permissions; }

    void setSpliceGroups(const QMap<int, QList<int>> &groups);
    QMap<int, QList<int>> spliceGroups() const { return m_groups; }
    bool hasSpliceGroups() const { return !m_groups.isEmpty(); }
    /// Members of the first group (ascending master) holding `output`; empty if none.
    QList<int> groupOf(int output) const;
    void setGroupColorHook(GroupColorHook hook);
    /// Replaces the default group check (output right of every other member of the group).

    void setOutputEnabled(int output, bool enabled);
    /// False for a disabled cell and for an output without a cell.
    bool isOutputEnabled(int output) const;

    QTableWidgetItem *itemForOutput(int output) const;
    TableItemWidget *cellForOutput(int output) const;
    TableItemWidget *cellForItem(const QTableWidgetItem *item) const;
    /// Output numbers of all cells, row by row.
    QList<int> outputs() const;

    /// Shows `input` (a code as carried by drags and routes; 0 empties) in the output's cell.
    void setCellInput(int output, int input);
    /// Every cell whose output the route holds takes its input; other cells stay as they are.
    void refreshFromRoute(const QMap<int, int> &route);
    /// The routes staged in take mode, output -> input as dropped, under the live inputs;
    /// `stale` lists the outputs another client has changed since. Other cells show none.
    void showPending(const QMap<int, int> &inputs, const QSet<int> &stale);
    /// The double-click action: routes input 0 to the item's output when allowed.
    void clearItem(QTableWidgetItem *item);
    /// Label text for a routed input code: "[port] name", empty for 0.
    QString inputLabel(int code) const;

    /// Freeze, standby, link and mute of the output's cells from the device state.
    void refreshOutputFlags(int output);
    void refreshOutputFlags();
    /// Enables the play and mute controls of each video cell by the operator's rights.
    void applyButtonRights();
    void refreshOutputNames();
    /// Re-applies the colours of every cell (selection, groups, disabled cells).
    void refreshLook();
    /// Re-fits the cells to the view.
    virtual void fitCells();

    /// The permission check of routing `code` to `output` on this table.
    bool dropAllowed(int output, int code) const;

signals:
    void dropPortToItemSig(int iInput, int iOutput);
    void layoutChangedSig();
    void si_requsetCheckPermissionLabelClicked();
    void si_showPermissionWarningDialog();
    void si_orderToLock(int port, bool isToLock);
    void si_orderToPause(int port, bool isToPause);
    void si_orderToMute(int port, bool isToMute);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    /// Gives the cells the shared rules of their looks, unless an ancestor already carries them.
    void provideCellRules();
    void buildCells();
    void ensureCells() const;
    /// The cell widget of an item if it has been created; never creates it.
    TableItemWidget *builtCell(const QTableWidgetItem *item) const;
    int outputAt(int row, int column) const;
    QString outputNameFor(int output) const;
    CellLook lookFor(const QTableWidgetItem *item, bool selected) const;
    QString groupColor(int output) const;
    bool groupAllows(int output) const;
    void relabelInput(int port);
    void showFrameAt(const QPoint &pos);
    void hideFrame();

    int m_portBase = 0;
    bool m_stripVideoOffset = true;
    int m_tableType = VideoTable;
    QMap<int, QList<int>> m_groups;
    GroupColorHook m_groupColorHook;
    QFrame *m_selectionFrame = nullptr;
    const PermissionStore *m_permissions = nullptr;
    QMap<int, QString> m_outputNames;
    QStringList m_inputColors;
    QString m_headerColor;
    int m_columns = 0;
    int m_rows = 0;
    bool m_cellsWhenShown = false;
    bool m_cellsPending = false;
};
