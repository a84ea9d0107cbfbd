#include "permissionlist.h"

#include <QStringList>

QMap<int, bool> PermissionList::parse(const QString &text, int firstKey)
{
    QMap<int, bool> entries;
    // A NULL or empty column means "no entries", not "port 1 denied".
    if (text.isEmpty())
        return entries;
    const QStringList parts = text.split(QLatin1Char('/'), Qt::KeepEmptyParts);
    for (int i = 0; i < parts.size(); ++i)
        entries.insert(firstKey + i, parts.at(i).toInt(nullptr, 10) != 0);
    return entries;
}

QString PermissionList::join(const QList<bool> &entries)
{
    QStringList parts;
    parts.reserve(entries.size());
    for (bool allowed : entries)
        parts.append(allowed ? QStringLiteral("1") : QStringLiteral("0"));
    return parts.join(QLatin1Char('/'));
}

QString PermissionList::allowAll(int count)
{
    QList<bool> entries;
    for (int i = 0; i < count; ++i)
        entries.append(true);
    return join(entries);
}
