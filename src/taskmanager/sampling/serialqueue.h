#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <memory>
#include <thread>
#include <vector>

namespace Velmora {

// A named background thread that runs posted jobs one after another, in the
// order they were posted, and repeating jobs on a beat of their own. Its owner
// ends it from another thread, never from one of its jobs.
class SerialQueue
{
public:
    enum class Priority {
        Normal,
        // Work nobody waits for: it yields to everything in the foreground.
        Background,
    };

    explicit SerialQueue(const QString &label, Priority priority = Priority::Normal);
    // Finishes the job under way, drops the rest and joins the thread.
    ~SerialQueue();

    SerialQueue(const SerialQueue &) = delete;
    SerialQueue &operator=(const SerialQueue &) = delete;

    using RepeatingId = quint64;

    void post(std::function<void()> job);
    // Runs `job` on this thread every `intervalMs`, first one interval from
    // now: never early, and late by at most `toleranceMs`, which lets the
    // system gather this wake-up with others. Intervals missed while the
    // thread was busy or the machine slept are skipped, keeping the beat.
    RepeatingId postRepeating(qint64 intervalMs, qint64 toleranceMs, std::function<void()> job);
    // Safe from any thread, also from the job itself; a run under way ends.
    void cancelRepeating(RepeatingId id);
    // Blocks until every job posted before this call has run.
    void waitForIdle();
    // As the destructor; afterwards posted jobs are dropped.
    void shutdown();

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Repeating
    {
        RepeatingId id = 0;
        TimePoint due;
        std::chrono::milliseconds interval;
        std::chrono::milliseconds tolerance;
        std::shared_ptr<std::function<void()>> job;
    };

    void run(Priority priority);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::vector<Repeating> m_repeating;
    RepeatingId m_nextRepeatingId = 1;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace Velmora
