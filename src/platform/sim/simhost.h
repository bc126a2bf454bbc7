#pragma once

#include "platform/runningapplication.h"
#include "platform/sim/receiverguard.h"

#include <functional>

namespace Velmora {
class Clock;
}

namespace Velmora::Sim {

// What the parts behind SimDesktop need of it: its clock, delayed work on its
// thread, and the ways out of its lock (signals and the change signal).
// SimDesktop implements it; every call is made with its lock held.
class SimHost
{
public:
    enum class ApplicationEvent { Launched, Terminated, Activated, Deactivated, Hidden, Unhidden };

    virtual ~SimHost();

    virtual Clock &clock() const = 0;
    // Runs `job` on the desktop's thread `delayMs` from now, with the lock held.
    virtual void laterLocked(qint64 delayMs, std::function<void()> job) = 0;
    // Runs `job` on the desktop's thread `delayMs` from now, without the lock,
    // while `receiver` lives.
    virtual void laterUnlocked(qint64 delayMs, std::function<void()> job, const ReceiverGuard &receiver) = 0;
    // Runs `function` with the lock held, for a job run by laterUnlocked() that looks
    // at the world before it calls out.
    virtual void runLocked(const std::function<void()> &function) = 0;

    // Emitted on the desktop's thread once the lock is released.
    virtual void announce(ApplicationEvent event, const RunningApplication &application) = 0;
    virtual void announceActiveSpaceChanged() = 0;
    virtual void announceDisplaysChanged() = 0;
    // The world changed: focus notifications go out, and one worldChanged()
    // follows per turn of the loop however many changes there were.
    virtual void changed() = 0;
};

} // namespace Velmora::Sim
