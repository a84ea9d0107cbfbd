#include "queryschedule.h"

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

} // namespace QuerySchedule
