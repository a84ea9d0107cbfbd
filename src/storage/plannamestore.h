#pragma once

#include <QMap>
#include <QString>

/// Names of the device's plans, kept per device address in project.db. Holds no state.
class PlanNameStore
{
public:
    /// Creates the plan name table when it is missing.
    PlanNameStore();

    bool createPlanNameTable();
    /// Names plan `id` (1-based) of the device address configured in the settings.
    bool savePlanName(int id, const QString &name);
    /// Plan number -> name for one device address.
    QMap<int, QString> loadPlanNames(const QString &ip) const;
};
