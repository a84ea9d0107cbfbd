#include "devicestate.h"

#include <QMutex>

DeviceState *DeviceState::instance()
{
    static QMutex mutex;
    static DeviceState *state = nullptr;
    QMutexLocker lock(&mutex);
    if (!state)
        state = new DeviceState;
    return state;
}
