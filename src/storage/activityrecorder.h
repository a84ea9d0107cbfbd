#pragma once

#include "activitystore.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

/// Writes the activity log as changes happen: the commands sent from here (with the operator's
/// name) and the changes other clients announce. Entries are written together a moment later,
/// so a burst of reports costs one transaction, not one per change. Trims the old entries when
/// made, that is at start-up.
class ActivityRecorder : public QObject
{
    Q_OBJECT

public:
    /// `user` names the operator at the moment a command goes out.
    ActivityRecorder(std::function<QString()> user, QObject *parent = nullptr);
    ~ActivityRecorder() override;

    void commandSent(const QString &command);
    void changedByOthers(const QJsonObject &report);
    /// Writes what waits now.
    void flush();

signals:
    /// Entries just written.
    void recorded(const QList<ActivityEntry> &entries);
    /// The log could not be written (once per spell of failures): the database's words.
    void saveFailed(const QString &error);

private:
    void add(ActivityEntry entry);

    ActivityStore &store();

    // Made after the window is up: its table and the trim of old entries are start-up work.
    std::unique_ptr<ActivityStore> m_store;
    std::function<QString()> m_user;
    QList<ActivityEntry> m_waiting;
    QTimer m_flushTimer;
    bool m_failing = false;
};
