#pragma once

#include "wall/splicegroups.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>

#include <optional>

#include <QTableWidget>

/// The splice groups of the video table: master output -> member outputs (master included, in
/// selection order). Forms and dissolves groups from the table's selection or from a given list,
/// asks for the bind and unbind commands, and tells the table what to paint.
class VideoSplitManager : public QObject, public SpliceGroups
{
    Q_OBJECT

public:
    using Groups = QMap<int, QList<int>>;

    /// Also creates the plan-name table of project.db.
    explicit VideoSplitManager(QObject *parent = nullptr);

    /// Only the first call counts. Items of the table carry their output in Qt::UserRole.
    void setTable(QTableWidget *table);
    QTableWidget *table() const { return m_table; }
    /// The table's row count, -1 without a table.
    int rowCount() const;

    const Groups &groups() const { return m_groups; }
    void setGroups(const Groups &groups);
    void clearGroups();
    /// Empties the groups first when `clear` is set, then asks the table to refresh for `argument`
    /// (the bind mode). Nothing without a table.
    void refreshTable(bool clear, int argument);
    /// Removes the group of `master` and repaints.
    void removeGroup(int master);

    /// True when fewer than two outputs are selected or the selection is exactly one group.
    bool isSelectionAGroup() const;
    /// Outputs of the table's selected items, in the order they were selected.
    QList<int> selectedOutputs() const;

    /// The group algorithm. Without `outputs` the table's selection is used, its first output
    /// being the master. `send` asks for bind/unbind commands; `keepOnMatch` re-forms a group that
    /// the outputs match exactly instead of dissolving it.
    void spliceSelection(const std::optional<QList<int>> &outputs, bool send, bool keepOnMatch);

    /// Names plan `id` (1-based) for the configured device address.
    bool savePlanName(int id, const QString &name);

    // SpliceGroups
    QList<int> groupOf(int output) const override;
    void formOnlyGroup(const QList<int> &outputs) override;
    void replaceGroups(const QList<QList<int>> &groups) override;
    void addGroup(const QList<int> &outputs) override;
    void dissolveGroupOf(int output) override;
    void layoutForMode(int bindMode) override;
    void toggleSplice(int output) override;

signals:
    /// A new group to bind on the device: the master and all members, master first.
    void si_sendNewBindMsg(int master, const QList<int> &members);
    /// A group to dissolve on the device, named by one of its outputs.
    void si_sendUnBindMsg(int delSynOutPort);
    /// The groups the table should paint now.
    void si_groupsChanged(const QMap<int, QList<int>> &groups);
    /// The table should rebuild its cells for a bind mode.
    void si_tableRefreshRequested(int argument);

private:
    void repaintTable();

    QPointer<QTableWidget> m_table;
    bool m_tableSet = false;
    Groups m_groups;
};
