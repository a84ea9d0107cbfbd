#pragma once

#include "state/activitytext.h"

#include <QDateTime>
#include <QList>
#include <QString>

/// The activity log in project.db: every change to the device, by whom and when. Holds no
/// state; the table is made on first use, so an older project.db simply gains it.
class ActivityStore
{
public:
    /// Entries older than this many days go at start-up.
    static constexpr int KeepDays = 30;

    struct Filter
    {
        int port = 0; ///< 0: any
        QString kind; ///< empty: any
        QString who;  ///< empty: anyone; otherwise part of the user's name
        bool onlyOthers = false;
        QDateTime from;   ///< invalid: no bound
        QDateTime to;     ///< invalid: no bound
        int limit = 5000; ///< newest first
    };

    ActivityStore();
    bool createTable();
    /// All or none of them is written.
    bool record(const QList<ActivityEntry> &entries);
    /// Removes what is older than `days` before `now`.
    bool trim(const QDateTime &now, int days = KeepDays);
    /// Newest first. `ok` tells an empty answer from one that could not be read.
    QList<ActivityEntry> load(const Filter &filter, bool *ok = nullptr) const;

    /// The entries as CSV (a header, then one line per entry; times in local time, to the
    /// millisecond). A field that a spreadsheet would take for a formula is quoted and
    /// prefixed with an apostrophe.
    static QByteArray toCsv(const QList<ActivityEntry> &entries);
};
