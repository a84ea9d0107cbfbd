#pragma once

#include <QList>
#include <QMap>
#include <QString>

/// The stored permission lists: "1" (allowed) and "0" (denied) joined by "/".
class PermissionList
{
public:
    static constexpr int InputCount = 8;
    static constexpr int OutputCount = 9;
    static constexpr int AudioCount = 8;
    static constexpr int AnalogCount = 9;
    static constexpr int FunctionCount = 28;

    /// Entry i becomes key firstKey + i: true when it reads as a non-zero decimal number
    /// (anything else denies). An empty text has no entries.
    static QMap<int, bool> parse(const QString &text, int firstKey);
    /// The entries as "1"/"0" joined by "/".
    static QString join(const QList<bool> &entries);
    /// `count` allowed entries, the column defaults of a new user.
    static QString allowAll(int count);
};
