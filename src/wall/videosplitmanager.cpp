#include "videosplitmanager.h"

#include "storage/plannamestore.h"

#include <QItemSelectionModel>
#include <QSet>
#include <QTableWidget>

VideoSplitManager::VideoSplitManager(QObject *parent) : QObject(parent)
{
    // Making the store creates its table.
    PlanNameStore();
}

void VideoSplitManager::setTable(QTableWidget *table)
{
    if (m_tableSet || !table)
        return;
    m_tableSet = true;
    m_table = table;
    repaintTable();
}

int VideoSplitManager::rowCount() const
{
    return m_table ? m_table->rowCount() : -1;
}

void VideoSplitManager::setGroups(const Groups &groups)
{
    m_groups = groups;
}

void VideoSplitManager::clearGroups()
{
    m_groups.clear();
}

void VideoSplitManager::refreshTable(bool clear, int argument)
{
    if (!m_table)
        return;
    if (clear)
        m_groups.clear();
    emit si_tableRefreshRequested(argument);
    repaintTable();
}

void VideoSplitManager::removeGroup(int master)
{
    m_groups.remove(master);
    repaintTable();
}

QList<int> VideoSplitManager::groupOf(int output) const
{
    for (auto it = m_groups.cbegin(); it != m_groups.cend(); ++it) {
        if (it.value().contains(output))
            return it.value();
    }
    return {};
}

QList<int> VideoSplitManager::selectedOutputs() const
{
    QList<int> outputs;
    if (!m_table || !m_table->selectionModel())
        return outputs;
    // selectedIndexes() keeps the order in which the ranges were selected, unlike a row scan.
    const QModelIndexList indexes = m_table->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : indexes) {
        const QTableWidgetItem *item = m_table->item(index.row(), index.column());
        if (!item)
            continue;
        const QVariant output = item->data(Qt::UserRole);
        if (!output.isValid())
            continue;
        const int n = output.toInt();
        if (!outputs.contains(n))
            outputs.append(n);
    }
    return outputs;
}

bool VideoSplitManager::isSelectionAGroup() const
{
    if (!m_table)
        return false;
    const QList<int> selected = selectedOutputs();
    if (selected.size() < 2)
        return true;
    const QSet<int> selectedSet(selected.cbegin(), selected.cend());
    for (const QList<int> &members : m_groups) {
        if (QSet<int>(members.cbegin(), members.cend()) == selectedSet)
            return true;
    }
    return false;
}

void VideoSplitManager::spliceSelection(const std::optional<QList<int>> &outputs, bool send,
                                        bool keepOnMatch)
{
    if (!m_table)
        return;
    QList<int> selection;
    // A repeated output would make a group count one screen twice.
    for (int o : outputs ? *outputs : selectedOutputs()) {
        if (!selection.contains(o))
            selection.append(o);
    }
    if (outputs && selection.isEmpty())
        return;
    const int master = selection.isEmpty() ? -1 : selection.first();

    bool matched = false;
    for (auto it = m_groups.begin(); it != m_groups.end();) {
        QList<int> &members = it.value();
        const int oldSize = members.size();
        for (int i = members.size() - 1; i >= 0; --i) {
            if (!selection.contains(members.at(i)))
                continue;
            members.removeAt(i);
            if (selection.size() == 1 && send)
                emit si_sendUnBindMsg(it.key());
        }
        if (members.size() != oldSize) {
            if (members.isEmpty() && oldSize == selection.size())
                matched = true;
            it = m_groups.erase(it);
        } else if (!members.contains(it.key())) {
            // A group that lost its master names nothing the device knows.
            it = m_groups.erase(it);
        } else {
            ++it;
        }
    }

    if (matched && !keepOnMatch) {
        if (send)
            emit si_sendUnBindMsg(master);
    } else if (selection.size() >= 2) {
        m_groups.insert(master, selection);
        if (send)
            emit si_sendNewBindMsg(master, selection);
    }
    repaintTable();
}

bool VideoSplitManager::savePlanName(int id, const QString &name)
{
    return PlanNameStore().savePlanName(id, name);
}

void VideoSplitManager::formOnlyGroup(const QList<int> &outputs)
{
    clearGroups();
    spliceSelection(outputs, false, false);
}

void VideoSplitManager::replaceGroups(const QList<QList<int>> &groups)
{
    Groups replaced;
    for (const QList<int> &group : groups) {
        QList<int> members;
        for (int o : group) {
            if (!members.contains(o))
                members.append(o);
        }
        if (members.size() >= 2)
            replaced.insert(members.first(), members);
    }
    m_groups = replaced;
    repaintTable();
}

void VideoSplitManager::addGroup(const QList<int> &outputs)
{
    spliceSelection(outputs, false, true);
}

void VideoSplitManager::dissolveGroupOf(int output)
{
    if (m_groups.contains(output)) {
        removeGroup(output);
        return;
    }
    const QList<int> members = groupOf(output);
    if (!members.isEmpty())
        removeGroup(m_groups.key(members));
}

void VideoSplitManager::layoutForMode(int bindMode)
{
    refreshTable(false, bindMode);
}

void VideoSplitManager::toggleSplice(int output)
{
    // The menu acts on the selection; a menu opened on an unselected table acts on its cell.
    if (selectedOutputs().isEmpty())
        spliceSelection(QList<int>{output}, true, false);
    else
        spliceSelection(std::nullopt, true, false);
}

void VideoSplitManager::repaintTable()
{
    if (!m_table)
        return;
    emit si_groupsChanged(m_groups);
    m_table->viewport()->update();
}
