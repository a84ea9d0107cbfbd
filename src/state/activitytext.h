#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

/// One change to the device as the activity log keeps it.
struct ActivityEntry
{
    QDateTime time; ///< UTC
    /// The operator's name; empty for a change announced as made by another client.
    QString user;
    bool byOthers = false;
    /// "video", "audio", "infrared", "plan", "splice" or "setting".
    QString kind;
    /// The output (or plan) it concerns; 0 when none.
    int port = 0;
    /// What changed, in words.
    QString detail;
};

Q_DECLARE_METATYPE(ActivityEntry)

/// Reads changes out of what goes to and comes from the device. No state, no clock: the
/// caller stamps the time and the user.
namespace ActivityText {

/// What a command sent from here changed; nothing for a query.
std::optional<ActivityEntry> fromCommand(const QString &command);
/// Each change in a report announced as made by another client.
QList<ActivityEntry> fromChangedByOthers(const QJsonObject &report);

} // namespace ActivityText
