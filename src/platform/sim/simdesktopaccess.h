#pragma once

#include "platform/sim/simdesktop.h"

namespace Velmora::Sim {

class SimPlatform;

// What the platform interfaces on top of the simulated desktop need beyond
// its public methods: running a step with the world locked, the request log
// and injected failures. Product code and tests drive the desktop through its
// public methods only; this is handed to the views of the world by the
// platform that builds them, so nothing else can reach behind the lock.
class SimDesktopAccess
{
public:
    SimDesktop &desktop() const { return *m_desktop; }

    // Runs `function` with the world locked, for a view that reads or changes
    // several things in one step. `function` gets the parts and must not call
    // the desktop's public methods (the lock is not recursive).
    template<typename Function>
    decltype(auto) withLock(Function &&function) const
    {
        return m_desktop->withLock(std::forward<Function>(function));
    }

    void log(const QString &operation, qint32 pid, const QString &name, const QVariant &detail = {},
             int result = 0) const
    {
        m_desktop->log(operation, pid, name, detail, result);
    }
    std::optional<SimFailure> takeFailure(const QString &operation, const QString &name, qint32 pid) const
    {
        return m_desktop->takeFailure(operation, name, pid);
    }
    // For calls that only succeed or fail: takes an injected failure and logs
    // the call (result -1 when it fails). True when the call is to fail.
    bool refuses(const QString &operation, const QString &name, qint32 pid, const QVariant &detail = {}) const
    {
        return m_desktop->refuses(operation, name, pid, detail);
    }

private:
    friend class SimPlatform;
    explicit SimDesktopAccess(SimDesktop &desktop)
        : m_desktop(&desktop)
    {
    }

    SimDesktop *m_desktop;
};

} // namespace Velmora::Sim
