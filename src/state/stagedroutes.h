#pragma once

#include "routehistory.h"

#include <QMap>
#include <QObject>
#include <QPair>

class ReportApplier;

/// Routes staged in take mode: a drop waits here until the operator takes or cancels them.
/// One stage per output and kind; a later drop on the same output replaces it. A stage whose
/// output another client changes afterwards is marked stale, so it is not sent blindly over
/// that change.
class StagedRoutes : public QObject
{
    Q_OBJECT

public:
    struct Stage
    {
        RouteHistory::Kind kind = RouteHistory::Video;
        int output = 0;
        int input = 0;
        bool stale = false;
    };

    /// Follows `reports` for other clients' changes.
    explicit StagedRoutes(ReportApplier *reports, QObject *parent = nullptr);

    void stage(RouteHistory::Kind kind, int output, int input);
    void remove(RouteHistory::Kind kind, int output);
    void clear();
    /// Ordered by kind, then output: the order Take sends them in.
    QList<Stage> stages() const { return m_stages.values(); }
    int count() const { return int(m_stages.size()); }
    int staleCount() const;
    bool isEmpty() const { return m_stages.isEmpty(); }

signals:
    void changed();

private:
    QMap<QPair<int, int>, Stage> m_stages; // (kind, output)
};
