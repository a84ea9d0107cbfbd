#include "routehistory.h"

#include "devicestate.h"
#include "reportapplier.h"

#include <QStringList>

RouteHistory::RouteHistory(DeviceState *state, ReportApplier *reports, QObject *parent)
    : QObject(parent), m_state(state)
{
    connect(reports, &ReportApplier::routesReported, this, &RouteHistory::routesReported);
    connect(reports, &ReportApplier::routeChangedByOthers, this,
            [this](int layer, int output) { changedByOthers(Kind(layer), output); });
    // Another client's splice or unsplice changes what every output of the group shows.
    connect(reports, &ReportApplier::bindGroupAdded, this, [this](const QList<int> &outputs) {
        for (int o : outputs)
            changedByOthers(Video, o);
    });
    connect(reports, &ReportApplier::bindGroupDissolved, this, [this, reports](int output) {
        QList<int> outputs = reports->spliceGroupOf(output);
        outputs << output;
        for (int o : qAsConst(outputs))
            changedByOthers(Video, o);
    });
}

bool RouteHistory::Step::touches(Kind kind, int output) const
{
    for (const Route &r : routes) {
        if (r.kind == kind && r.output == output)
            return true;
    }
    if (kind != Video)
        return false;
    for (const QList<QList<int>> *groups : {&formed, &dissolved}) {
        for (const QList<int> &group : *groups) {
            if (group.contains(output))
                return true;
        }
    }
    return false;
}

void RouteHistory::recordSplice(const QList<QList<int>> &formed, const QList<QList<int>> &dissolved,
                                const QList<Route> &routes)
{
    Step step;
    step.formed = formed;
    step.dissolved = dissolved;
    step.routes = routes;
    record(step);
}

void RouteHistory::record(Step step)
{
    // A route left as it was is no part of a step; a step that changed nothing is none.
    step.routes.erase(std::remove_if(step.routes.begin(), step.routes.end(),
                                     [](const Route &r) { return r.before == r.after; }),
                      step.routes.end());
    if (step.isEmpty())
        return;
    push(m_undo, step);
    m_redo.clear();
    emit changed();
}

QMap<int, int> RouteHistory::routesOf(Kind kind) const
{
    switch (kind) {
    case Video:
        return m_state->videoRoute();
    case Audio:
        return m_state->audioRoute();
    case Infrared:
        return m_state->irRoute();
    }
    return {};
}

void RouteHistory::push(QList<Step> &list, const Step &step)
{
    list.append(step);
    while (list.size() > Depth)
        list.removeFirst();
}

void RouteHistory::recordRoute(Kind kind, int output, int input)
{
    recordRoutes({Route{kind, output, 0, input}});
}

void RouteHistory::recordRoutes(const QList<Route> &routes)
{
    Step step;
    for (Route r : routes) {
        r.before = routesOf(r.kind).value(r.output, 0);
        step.routes.append(r);
    }
    record(step);
}

void RouteHistory::recordPlanRecall(int plan)
{
    m_pendingPlan = plan;
    m_snapshot = {routesOf(Video), routesOf(Audio), routesOf(Infrared)};
}

void RouteHistory::routesReported()
{
    if (m_snapshot.isEmpty())
        return;
    const QList<QMap<int, int>> before = m_snapshot;
    m_snapshot.clear();
    Step step;
    step.plan = m_pendingPlan;
    for (Kind kind : {Video, Audio, Infrared}) {
        const QMap<int, int> was = before.at(kind);
        const QMap<int, int> now = routesOf(kind);
        QList<int> outputs = was.keys() + now.keys();
        std::sort(outputs.begin(), outputs.end());
        outputs.erase(std::unique(outputs.begin(), outputs.end()), outputs.end());
        for (int output : outputs) {
            if (was.value(output, 0) != now.value(output, 0))
                step.routes.append(Route{kind, output, was.value(output, 0), now.value(output, 0)});
        }
    }
    if (m_checkAfterLinkLoss) {
        // Back onto other routes: nothing recorded before describes the device any more.
        m_checkAfterLinkLoss = false;
        m_pendingPlan = 0;
        if (!step.isEmpty())
            clear();
        return;
    }
    m_pendingPlan = 0;
    record(step);
}

void RouteHistory::changedByOthers(Kind kind, int output)
{
    const auto touches = [kind, output](const Step &step) { return step.touches(kind, output); };
    const int before = m_undo.size() + m_redo.size();
    m_undo.erase(std::remove_if(m_undo.begin(), m_undo.end(), touches), m_undo.end());
    m_redo.erase(std::remove_if(m_redo.begin(), m_redo.end(), touches), m_redo.end());
    if (m_undo.size() + m_redo.size() != before)
        emit changed();
}

void RouteHistory::linkLost()
{
    // A plan's report will not come over this link; the routes held now are what the device
    // had when it went.
    m_pendingPlan = 0;
    m_snapshot = {routesOf(Video), routesOf(Audio), routesOf(Infrared)};
    m_checkAfterLinkLoss = true;
}

void RouteHistory::clear()
{
    if (m_undo.isEmpty() && m_redo.isEmpty())
        return;
    m_undo.clear();
    m_redo.clear();
    emit changed();
}

RouteHistory::Step RouteHistory::takeUndo()
{
    if (m_undo.isEmpty())
        return {};
    const Step step = m_undo.takeLast();
    push(m_redo, step);
    emit changed();
    return step;
}

RouteHistory::Step RouteHistory::takeRedo()
{
    if (m_redo.isEmpty())
        return {};
    const Step step = m_redo.takeLast();
    push(m_undo, step);
    emit changed();
    return step;
}

void RouteHistory::putBackUndo(const Step &step)
{
    if (!m_redo.isEmpty())
        m_redo.removeLast();
    push(m_undo, step);
    emit changed();
}

void RouteHistory::putBackRedo(const Step &step)
{
    if (!m_undo.isEmpty())
        m_undo.removeLast();
    push(m_redo, step);
    emit changed();
}

QString RouteHistory::describe(const Step &step)
{
    if (step.plan > 0)
        return tr("plan %1").arg(step.plan);
    const auto outputs = [](const QList<int> &group) {
        QStringList numbers;
        for (int o : group)
            numbers << QString::number(o);
        return numbers.join(QStringLiteral(", "));
    };
    if (!step.formed.isEmpty())
        return tr("splice outputs %1").arg(outputs(step.formed.first()));
    if (!step.dissolved.isEmpty())
        return tr("unsplice outputs %1").arg(outputs(step.dissolved.first()));
    if (step.routes.size() != 1)
        return tr("%1 routes").arg(step.routes.size());
    const Route &r = step.routes.first();
    static const char *const routed[] = {
        QT_TR_NOOP("input %1 → output %2"),
        QT_TR_NOOP("audio input %1 → output %2"),
        QT_TR_NOOP("infrared input %1 → output %2"),
    };
    static const char *const cleared[] = {
        QT_TR_NOOP("clear output %1"),
        QT_TR_NOOP("clear audio output %1"),
        QT_TR_NOOP("clear infrared output %1"),
    };
    if (r.after == 0)
        return tr(cleared[r.kind]).arg(r.output);
    return tr(routed[r.kind]).arg(r.after).arg(r.output);
}

QString RouteHistory::undoText() const
{
    return m_undo.isEmpty() ? QString() : tr("Undo: %1").arg(describe(m_undo.last()));
}

QString RouteHistory::redoText() const
{
    return m_redo.isEmpty() ? QString() : tr("Redo: %1").arg(describe(m_redo.last()));
}
