#include "activitystore.h"

#include "projectdatabase.h"

#include <QRegularExpression>

namespace {

// Sorts as text in time order.
QString stamp(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QString csvField(QString text)
{
    // "=", "+", "-", "@" open a formula in a spreadsheet: a name typed by an operator must
    // stay a name.
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.at(0)))
        text.prepend('\'');
    if (text.contains(QRegularExpression(QStringLiteral("[\",\\r\\n']"))))
        text = '"' + text.replace('"', QLatin1String("\"\"")) + '"';
    return text;
}

} // namespace

ActivityStore::ActivityStore()
{
    createTable();
}

bool ActivityStore::createTable()
{
    return ProjectDatabase::executeStatements(
        {QStringLiteral("create table if not exists ActivityLog(Id integer primary key "
                        "autoincrement,Time text not null,User text,ByOthers integer not null,"
                        "Kind text not null,Port integer not null,Detail text)"),
         QStringLiteral("create index if not exists ActivityLogTime on ActivityLog(Time)")});
}

bool ActivityStore::record(const QList<ActivityEntry> &entries)
{
    if (entries.isEmpty())
        return true;
    QList<QVariantList> rows;
    rows.reserve(entries.size());
    for (const ActivityEntry &e : entries)
        rows.append({stamp(e.time), e.user, e.byOthers ? 1 : 0, e.kind, e.port, e.detail});
    const QString insert(QStringLiteral("insert into ActivityLog(Time,User,ByOthers,Kind,Port,"
                                        "Detail)values(?,?,?,?,?,?)"));
    if (ProjectDatabase::executeBatch(insert, rows))
        return true;
    // A database that was unusable at start-up may have come back without the table.
    return createTable() && ProjectDatabase::executeBatch(insert, rows);
}

bool ActivityStore::trim(const QDateTime &now, int days)
{
    return ProjectDatabase::executeStatement(
        QStringLiteral("delete from ActivityLog where Time < ?"), {stamp(now.addDays(-days))});
}

QList<ActivityEntry> ActivityStore::load(const Filter &filter, bool *ok) const
{
    QString sql = QStringLiteral("select Time,User,ByOthers,Kind,Port,Detail from ActivityLog "
                                 "where 1");
    QVariantList values;
    if (filter.port > 0) {
        sql += QStringLiteral(" and Port = ?");
        values << filter.port;
    }
    if (!filter.kind.isEmpty()) {
        sql += QStringLiteral(" and Kind = ?");
        values << filter.kind;
    }
    if (filter.onlyOthers)
        sql += QStringLiteral(" and ByOthers = 1");
    if (!filter.who.isEmpty()) {
        sql += QStringLiteral(" and instr(lower(User), lower(?)) > 0");
        values << filter.who;
    }
    if (filter.from.isValid()) {
        sql += QStringLiteral(" and Time >= ?");
        values << stamp(filter.from);
    }
    if (filter.to.isValid()) {
        sql += QStringLiteral(" and Time <= ?");
        values << stamp(filter.to);
    }
    sql += QStringLiteral(" order by Time desc, Id desc limit ?");
    values << filter.limit;
    const QList<QVariantList> rows = ProjectDatabase::queryRows(sql, values, 6);
    if (ok)
        *ok = rows.isEmpty() ? ProjectDatabase::lastError().isEmpty() : true;
    QList<ActivityEntry> entries;
    entries.reserve(rows.size());
    for (const QVariantList &row : rows) {
        ActivityEntry e;
        e.time = QDateTime::fromString(row.at(0).toString(), Qt::ISODateWithMs);
        e.user = row.at(1).toString();
        e.byOthers = row.at(2).toInt() != 0;
        e.kind = row.at(3).toString();
        e.port = row.at(4).toInt();
        e.detail = row.at(5).toString();
        entries << e;
    }
    return entries;
}

QByteArray ActivityStore::toCsv(const QList<ActivityEntry> &entries)
{
    QString csv = QStringLiteral("time,user,by others,kind,port,change\r\n");
    for (const ActivityEntry &e : entries) {
        csv += QStringList{e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                           csvField(e.user),
                           e.byOthers ? QStringLiteral("yes") : QStringLiteral("no"),
                           e.kind,
                           e.port > 0 ? QString::number(e.port) : QString(),
                           csvField(e.detail)}
                   .join(',');
        csv += QLatin1String("\r\n");
    }
    return csv.toUtf8();
}
