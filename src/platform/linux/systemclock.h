#pragma once

#include "platform/clock.h"
#include "platform/linux/tolerantschedule.h"
#include "platform/scheduler.h"
#include "platform/sleeper.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>

#include <memory>

class QTimer;

namespace Velmora::Linux {

// The real clocks, and a scheduler built on QTimer. Jobs run on the thread
// that owns this object, which is the main thread in the application.
// Repeating jobs with a tolerance share one timer, so that jobs due close
// together run in one wake-up (see TolerantSchedule).
class SystemClock final : public QObject, public Clock, public Scheduler, public Sleeper
{
    Q_OBJECT
public:
    explicit SystemClock(QObject *parent = nullptr);
    ~SystemClock() override;

    qint64 wallClockMs() const override;
    qint64 monotonicMs() const override;

    JobId scheduleOnce(qint64 delayMs, QObject *context, std::function<void()> job) override;
    JobId scheduleRepeating(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                            std::function<void()> job) override;
    void cancel(JobId id) override;
    bool isScheduled(JobId id) const override;
    void sleepMs(qint64 ms) override;

private:
    struct TolerantJob
    {
        QPointer<QObject> context;
        bool hasContext = false;
        // Shared, so a job that cancels itself while it runs stays alive.
        std::shared_ptr<std::function<void()>> job;
    };

    JobId start(qint64 intervalMs, qint64 toleranceMs, bool repeating, QObject *context,
                std::function<void()> job);
    JobId startTolerant(qint64 intervalMs, qint64 toleranceMs, QObject *context, std::function<void()> job);
    void runDueTolerantJobs();
    void armWake();

    QElapsedTimer m_monotonic;
    QHash<JobId, QTimer *> m_timers;
    QHash<JobId, TolerantJob> m_tolerantJobs;
    TolerantSchedule m_schedule;
    QTimer *m_wake = nullptr;
    JobId m_nextId = 1;
};

} // namespace Velmora::Linux
