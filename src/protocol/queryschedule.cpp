#include "queryschedule.h"

#include "messagedistance.h"

#include <QTimer>

namespace QuerySchedule {

QVector<Entry> forType(DeviceType type)
{
    QVector<Entry> entries{{0, Status}, {100, InputInfo}, {200, NetInfo}, {300, Resolution}};
    if (type == Dev0409S) {
        entries.append({400, Rotate});
        return entries;
    }
    entries.append({400, HdcpInfo});
    entries.append({425, OutputInfo});
    if (type != Dev0808S)
        entries.append({450, BindInfo});
    return entries;
}

void sendAfterStatus(MessageDistance *client, DeviceType type, qint64 elapsedMs)
{
    // Indexed by Query.
    static void (MessageDistance::*const queries[])() = {
        &MessageDistance::getStatus,     &MessageDistance::getInputInfo,
        &MessageDistance::getNetInfo,    &MessageDistance::getResolution,
        &MessageDistance::getRotate,     &MessageDistance::getHdcpInfo,
        &MessageDistance::getOutputInfo, &MessageDistance::getBindInfo,
    };
    for (const Entry &entry : forType(type)) {
        if (entry.query != Status)
            QTimer::singleShot(qMax<qint64>(0, entry.delayMs - elapsedMs), client,
                               queries[entry.query]);
    }
}

} // namespace QuerySchedule
