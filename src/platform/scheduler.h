#pragma once

#include <QPointer>
#include <QObject>

#include <functional>

namespace Velmora {

// Delayed and repeated work on the main thread. A job is bound to a context
// object: when the context is destroyed the job is dropped, so a callback can
// never reach an owner that is gone.
class Scheduler
{
public:
    using JobId = quint64;

    virtual ~Scheduler();

    // Runs `job` once, `delayMs` from now (0 means on the next turn of the loop).
    virtual JobId scheduleOnce(qint64 delayMs, QObject *context, std::function<void()> job) = 0;
    // Runs `job` every `intervalMs`. The tolerance lets the system batch wake-ups;
    // a job never runs early.
    virtual JobId scheduleRepeating(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                                    std::function<void()> job) = 0;
    // Cancelling an unknown or finished job does nothing.
    virtual void cancel(JobId id) = 0;
    virtual bool isScheduled(JobId id) const = 0;
};

} // namespace Velmora
