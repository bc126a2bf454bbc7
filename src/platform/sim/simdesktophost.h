#pragma once

#include "platform/sim/simhost.h"

#include <functional>

namespace Velmora {
class Scheduler;
}

namespace Velmora::Sim {

class SimDesktop;
class SimLock;
struct SimDesktopParts;

// SimDesktop's side of SimHost: its scheduler and thread for delayed work,
// its lock, and its signals, emitted on its thread once the lock is free.
class SimDesktopHost final : public SimHost
{
public:
    SimDesktopHost(SimDesktop &desktop, Clock &clock, Scheduler &scheduler, SimLock &lock);
    // The parts whose changes it announces; set once they exist.
    void attach(SimDesktopParts &parts) { m_parts = &parts; }

    // Runs `job` on the desktop's thread `delayMs` from now; from another
    // thread, the job first hops there through the desktop's event loop.
    void schedule(qint64 delayMs, std::function<void()> job);

    Clock &clock() const override { return m_clock; }
    void laterLocked(qint64 delayMs, std::function<void()> job) override;
    void laterUnlocked(qint64 delayMs, std::function<void()> job, const ReceiverGuard &receiver) override;
    void runLocked(const std::function<void()> &function) override;
    void announce(ApplicationEvent event, const RunningApplication &application) override;
    void announceActiveSpaceChanged() override;
    void announceDisplaysChanged() override;
    void changed() override;

private:
    SimDesktop &m_desktop;
    Clock &m_clock;
    Scheduler &m_scheduler;
    SimLock &m_lock;
    SimDesktopParts *m_parts = nullptr;
    bool m_changeSignalPending = false;
};

} // namespace Velmora::Sim
