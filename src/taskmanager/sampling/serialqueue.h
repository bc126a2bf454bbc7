#pragma once

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Velmora {

// A named background thread that runs posted jobs one after another, in the
// order they were posted. Its owner ends it from another thread, never from
// one of its jobs.
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

    void post(std::function<void()> job);
    // Blocks until every job posted before this call has run.
    void waitForIdle();
    // As the destructor; afterwards posted jobs are dropped.
    void shutdown();

private:
    void run(Priority priority);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace Velmora
