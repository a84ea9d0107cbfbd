#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class DeviceState;
class ReportApplier;

/// The operator's own routing changes, for undo and redo. A step holds each route it changed
/// with what was there before, so undoing or redoing it is a plain set of routes. A step never
/// overwrites a later change by someone else: another client's change to an output drops the
/// steps that touch it, and a link re-established onto different routes drops them all.
class RouteHistory : public QObject
{
    Q_OBJECT

public:
    enum Kind
    {
        Video,
        Audio,
        Infrared,
    };
    Q_ENUM(Kind)

    struct Route
    {
        Kind kind = Video;
        int output = 0;
        int before = 0;
        int after = 0;
        bool operator==(const Route &o) const
        {
            return kind == o.kind && output == o.output && before == o.before && after == o.after;
        }
    };

    struct Step
    {
        QList<Route> routes;
        /// The recalled plan's number; 0 for a drop or a clear.
        int plan = 0;
        /// Splice groups the step formed and dissolved, master first.
        QList<QList<int>> formed;
        QList<QList<int>> dissolved;
        bool isEmpty() const { return routes.isEmpty() && formed.isEmpty() && dissolved.isEmpty(); }
        /// Whether undoing or redoing it would set `output` of this kind.
        bool touches(Kind kind, int output) const;
    };

    /// Steps kept per connection; the oldest goes first.
    static constexpr int Depth = 50;

    /// Follows `reports` for plans' results and other clients' changes.
    RouteHistory(DeviceState *state, ReportApplier *reports, QObject *parent = nullptr);

    /// The operator routes `input` to `output`: call before the store is written, which still
    /// holds what was there. A route to what is already there is no step.
    void recordRoute(Kind kind, int output, int input);
    /// Several routes made in one go (a take), one step; each route's `before` is read here.
    void recordRoutes(const QList<Route> &routes);
    /// The operator's splice or unsplice: the groups it formed and dissolved, and the video
    /// routes it changed with what they were (`before` given).
    void recordSplice(const QList<QList<int>> &formed, const QList<QList<int>> &dissolved,
                      const QList<Route> &routes);
    /// A plan was recalled: its step is what the next routes report changed.
    void recordPlanRecall(int plan);
    /// The link went down: whatever it comes back to is compared with the routes now held.
    void linkLost();
    void clear();

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    /// Moves the last step to the redo list and returns it; its routes go back to `before`.
    Step takeUndo();
    /// Moves the last undone step back and returns it; its routes go to `after`.
    Step takeRedo();
    /// Puts a step taken by mistake (refused by the link or rights) back where it was.
    void putBackUndo(const Step &step);
    void putBackRedo(const Step &step);

    /// "Undo: input 3 → output 5"; empty when there is nothing to undo.
    QString undoText() const;
    QString redoText() const;
    static QString describe(const Step &step);
    /// The store's routes of this kind.
    QMap<int, int> routesOf(Kind kind) const;

signals:
    void changed();

private:
    void routesReported();
    void changedByOthers(Kind kind, int output);
    /// Keeps `step` as the newest, without its unchanged routes; the redo list goes.
    void record(Step step);
    void push(QList<Step> &list, const Step &step);

    DeviceState *m_state;
    QList<Step> m_undo;
    QList<Step> m_redo;
    int m_pendingPlan = 0;
    /// Routes held when a plan was recalled or the link went down, per kind.
    QList<QMap<int, int>> m_snapshot;
    bool m_checkAfterLinkLoss = false;
};
