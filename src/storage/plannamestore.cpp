#include "plannamestore.h"

#include "app/appsettings.h"
#include "projectdatabase.h"

PlanNameStore::PlanNameStore()
{
    createPlanNameTable();
}

bool PlanNameStore::createPlanNameTable()
{
    return ProjectDatabase::executeStatement(
        QStringLiteral("create table if not exists SplitPlanName(Id integer NOT NULL,Name "
                       "text,Ip text NOT NULL,PRIMARY KEY (Id, Ip))"));
}

bool PlanNameStore::savePlanName(int id, const QString &name)
{
    return ProjectDatabase::executeStatement(
        QStringLiteral("insert or replace into SplitPlanName(Id,Name,Ip)values(?,?,?)"),
        {id, name, AppSettings::instance()->deviceAddress()});
}

QMap<int, QString> PlanNameStore::loadPlanNames(const QString &ip) const
{
    QMap<int, QString> names;
    const auto rows = ProjectDatabase::queryRows(
        QStringLiteral("select * from SplitPlanName where Ip = ?"), {ip}, 2);
    for (const QVariantList &row : rows)
        names.insert(row.at(0).toInt(), row.at(1).toString());
    return names;
}
