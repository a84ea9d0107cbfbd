#include "permissiongate.h"

#include "app/appsettings.h"
#include "permissionstore.h"

namespace {
bool passesUnchecked(const PermissionStore *store)
{
    return !store || AppSettings::instance()->currentUserType() == 0;
}
} // namespace

PermissionGate::PermissionGate(const PermissionStore *store) : m_store(store)
{
}

bool PermissionGate::checkPortPermission(int port, int kind, bool warn) const
{
    if (passesUnchecked(m_store))
        return true;
    const int checked = port > 100 ? port - 100 : port;
    return answer(m_store->hasPortPermission(checked, kind), warn);
}

bool PermissionGate::checkListPermission(int index, bool warn) const
{
    if (passesUnchecked(m_store))
        return true;
    return answer(m_store->hasListPermission(index), warn);
}

bool PermissionGate::answer(bool allowed, bool warn) const
{
    if (!allowed && warn && m_warn)
        m_warn();
    return allowed;
}
