#pragma once

#include "state/devicetype.h"

#include <QVector>

class MessageDistance;

/// The status queries sent after each version report, as delays from the report's arrival.
namespace QuerySchedule {

enum Query
{
    Status,
    InputInfo,
    NetInfo,
    Resolution,
    Rotate,
    HdcpInfo,
    OutputInfo,
    BindInfo
};

struct Entry
{
    int delayMs;
    Query query;
};

/// In sending order; the wall model asks for its rotation instead of HDCP and output flags,
/// and neither it nor the 0808-S has output binding.
QVector<Entry> forType(DeviceType type);

/// Sends the schedule's queries after Status (which the caller sends at once), each at its
/// delay counted from the report's arrival `elapsedMs` ago.
void sendAfterStatus(MessageDistance *client, DeviceType type, qint64 elapsedMs);

} // namespace QuerySchedule
