#include "sigmanager.h"

#include <QMutex>

SigManager *SigManager::instance()
{
    static QMutex mutex;
    static SigManager *hub = nullptr;
    QMutexLocker lock(&mutex);
    if (!hub)
        hub = new SigManager;
    return hub;
}
