#pragma once

#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/sleeper.h"

#include <QPointer>

#include <atomic>
#include <map>

namespace Velmora::Sim {

// A clock that moves only when a test moves it. Jobs run inside advance(), in
// due order, with the clock set to each job's due time, so a test sees exactly
// the sequence the real loop would produce without ever sleeping.
//
// The clocks may be read from any thread; scheduling and advancing belong to
// the thread that drives the test.
class VirtualClock final : public Clock, public Scheduler, public Sleeper
{
public:
    explicit VirtualClock(qint64 wallClockStartMs = 1'800'000'000'000, qint64 monotonicStartMs = 1'000'000);

    qint64 wallClockMs() const override;
    qint64 monotonicMs() const override;

    JobId scheduleOnce(qint64 delayMs, QObject *context, std::function<void()> job) override;
    JobId scheduleRepeating(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                            std::function<void()> job) override;
    void cancel(JobId id) override;
    bool isScheduled(JobId id) const override;

    // Moves both clocks forward, running every job that falls due on the way.
    void advance(qint64 ms);
    // Runs the jobs that are due now (delay 0) without moving time.
    void runPending() { advance(0); }
    // Time that passes while the caller is blocked (waiting for another
    // application to answer): both clocks move, no job runs; jobs that fell
    // due run at the next advance() or runPending(), as they would on a
    // thread that was busy. Safe from any thread.
    void elapse(qint64 ms);
    // A worker thread's pause: time passes as in elapse(), and the thread
    // yields so the others get on.
    void sleepMs(qint64 ms) override;
    // Sets the wall clock alone, as a user changing the system time would.
    void setWallClockMs(qint64 ms);

    int pendingJobCount() const { return int(m_jobs.size()); }
    // The tolerance given to a repeating job, for tests that check it.
    qint64 toleranceOf(JobId id) const;
    qint64 intervalOf(JobId id) const;

private:
    struct Job {
        qint64 dueMs = 0;
        qint64 intervalMs = 0; // 0 for one-shot jobs
        qint64 toleranceMs = 0;
        bool hasContext = false;
        QPointer<QObject> context;
        std::function<void()> fn;
    };

    std::atomic<qint64> m_wallMs;
    std::atomic<qint64> m_monoMs;
    std::map<JobId, Job> m_jobs;
    JobId m_nextId = 1;
};

} // namespace Velmora::Sim
