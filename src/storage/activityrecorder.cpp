#include "activityrecorder.h"

#include "projectdatabase.h"

namespace {
constexpr int FlushDelayMs = 300;
// A database that refuses writes must not make the waiting list grow without end.
constexpr int MaxWaiting = 10000;
} // namespace

ActivityRecorder::ActivityRecorder(std::function<QString()> user, QObject *parent)
    : QObject(parent), m_user(std::move(user))
{
    QTimer::singleShot(0, this, [this] { store().trim(QDateTime::currentDateTimeUtc()); });
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &ActivityRecorder::flush);
}

ActivityStore &ActivityRecorder::store()
{
    if (!m_store)
        m_store = std::make_unique<ActivityStore>();
    return *m_store;
}

ActivityRecorder::~ActivityRecorder()
{
    flush();
}

void ActivityRecorder::commandSent(const QString &command)
{
    if (std::optional<ActivityEntry> entry = ActivityText::fromCommand(command)) {
        entry->user = m_user();
        add(*entry);
    }
}

void ActivityRecorder::changedByOthers(const QJsonObject &report)
{
    for (const ActivityEntry &entry : ActivityText::fromChangedByOthers(report))
        add(entry);
}

void ActivityRecorder::add(ActivityEntry entry)
{
    entry.time = QDateTime::currentDateTimeUtc();
    m_waiting.append(entry);
    if (m_waiting.size() > MaxWaiting)
        m_waiting.removeFirst();
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void ActivityRecorder::flush()
{
    m_flushTimer.stop();
    if (m_waiting.isEmpty())
        return;
    if (!store().record(m_waiting)) {
        // Kept for the next try; said once until a write works again.
        if (!m_failing)
            emit saveFailed(ProjectDatabase::lastError());
        m_failing = true;
        return;
    }
    m_failing = false;
    const QList<ActivityEntry> written = m_waiting;
    m_waiting.clear();
    emit recorded(written);
}
