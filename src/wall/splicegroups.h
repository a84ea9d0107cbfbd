#pragma once

#include <QList>

/// The splice-group manager of the video table (VideoSplitManager) as the main window holds it.
class SpliceGroups
{
public:
    virtual ~SpliceGroups() = default;

    /// Every output of the group `output` belongs to, master included; empty when none.
    virtual QList<int> groupOf(int output) const = 0;
    /// Drops every group and forms the one group of `outputs`.
    virtual void formOnlyGroup(const QList<int> &outputs) = 0;
    /// Replaces all groups with the reported ones and redraws.
    virtual void replaceGroups(const QList<QList<int>> &groups) = 0;
    virtual void addGroup(const QList<int> &outputs) = 0;
    virtual void dissolveGroupOf(int output) = 0;
    /// Lays the video table out for a bind mode (0 3x3, 1 2x4, 2 2x2).
    virtual void layoutForMode(int bindMode) = 0;
    /// The "Splice"/"Unsplice" menu entry for an output.
    virtual void toggleSplice(int output) = 0;
};
