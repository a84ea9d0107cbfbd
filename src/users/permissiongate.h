#pragma once

#include <functional>
#include <utility>

class PermissionStore;

/// The check the widgets make before a port or function operation: administrators and a
/// window without a PermissionStore pass; a denial with `warn` set calls the warning hook.
class PermissionGate
{
public:
    using WarningHook = std::function<void()>;

    explicit PermissionGate(const PermissionStore *store = nullptr);

    void setStore(const PermissionStore *store) { m_store = store; }
    /// Shown on a denied check with `warn` set ("No Permission!" in the widgets).
    void setWarningHook(WarningHook hook) { m_warn = std::move(hook); }

    /// Ports above 100 (the HDMI audio side) are checked as port - 100.
    bool checkPortPermission(int port, int kind, bool warn = true) const;
    bool checkListPermission(int index, bool warn = true) const;

private:
    bool answer(bool allowed, bool warn) const;

    const PermissionStore *m_store = nullptr;
    WarningHook m_warn;
};
