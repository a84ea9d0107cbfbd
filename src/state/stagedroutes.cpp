#include "stagedroutes.h"

#include "reportapplier.h"

StagedRoutes::StagedRoutes(ReportApplier *reports, QObject *parent) : QObject(parent)
{
    connect(reports, &ReportApplier::routeChangedByOthers, this, [this](int layer, int output) {
        const auto found = m_stages.find({layer, output});
        if (found == m_stages.end() || found->stale)
            return;
        found->stale = true;
        emit changed();
    });
}

void StagedRoutes::stage(RouteHistory::Kind kind, int output, int input)
{
    m_stages.insert({kind, output}, Stage{kind, output, input, false});
    emit changed();
}

void StagedRoutes::remove(RouteHistory::Kind kind, int output)
{
    if (m_stages.remove({kind, output}))
        emit changed();
}

void StagedRoutes::clear()
{
    if (m_stages.isEmpty())
        return;
    m_stages.clear();
    emit changed();
}

int StagedRoutes::staleCount() const
{
    int stale = 0;
    for (const Stage &s : m_stages)
        stale += s.stale ? 1 : 0;
    return stale;
}
