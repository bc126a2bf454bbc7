#include "taskmanager/sampling/serialqueue.h"

#include <algorithm>
#include <future>
#include <memory>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace Velmora {

SerialQueue::SerialQueue(const QString &label, Priority priority)
{
    m_thread = std::thread([this, priority] { run(priority); });
    // The system keeps 15 bytes of a thread's name.
    ::pthread_setname_np(m_thread.native_handle(), label.toUtf8().left(15).constData());
}

SerialQueue::~SerialQueue()
{
    shutdown();
}

void SerialQueue::post(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

SerialQueue::RepeatingId SerialQueue::postRepeating(qint64 intervalMs, qint64 toleranceMs, std::function<void()> job)
{
    const std::chrono::milliseconds interval(qMax<qint64>(1, intervalMs));
    RepeatingId id = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return 0;
        id = m_nextRepeatingId++;
        m_repeating.push_back({ id, std::chrono::steady_clock::now() + interval, interval,
            std::chrono::milliseconds(qMax<qint64>(0, toleranceMs)),
            std::make_shared<std::function<void()>>(std::move(job)) });
    }
    m_wake.notify_one();
    return id;
}

void SerialQueue::cancelRepeating(RepeatingId id)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_repeating, [id](const Repeating &repeating) { return repeating.id == id; });
}

void SerialQueue::waitForIdle()
{
    // A job dropped by shutdown() breaks the promise, which also ends the wait.
    auto done = std::make_shared<std::promise<void>>();
    auto future = done->get_future();
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_jobs.push_back([done] { done->set_value(); });
    }
    m_wake.notify_one();
    future.wait();
}

void SerialQueue::shutdown()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void SerialQueue::run(Priority priority)
{
    // Linux gives each thread its own nice value.
    if (priority == Priority::Background)
        ::setpriority(PRIO_PROCESS, ::gettid(), 10);

    std::deque<std::function<void()>> dropped;
    std::vector<Repeating> droppedRepeating;
    std::chrono::milliseconds slack(-1);
    for (;;) {
        std::function<void()> job;
        std::shared_ptr<std::function<void()>> repeating;
        {
            std::unique_lock lock(m_mutex);
            for (;;) {
                if (m_stopping)
                    break;
                if (!m_jobs.empty()) {
                    job = std::move(m_jobs.front());
                    m_jobs.pop_front();
                    break;
                }
                if (m_repeating.empty()) {
                    m_wake.wait(lock);
                    continue;
                }
                auto next = std::min_element(m_repeating.begin(), m_repeating.end(),
                    [](const Repeating &a, const Repeating &b) { return a.due < b.due; });
                const TimePoint now = std::chrono::steady_clock::now();
                if (next->due <= now) {
                    repeating = next->job;
                    next->due += (std::chrono::duration_cast<std::chrono::milliseconds>(now - next->due)
                                        / next->interval
                                    + 1)
                        * next->interval;
                    break;
                }
                // The thread's timer slack is how late the kernel may wake
                // it, gathering the wake-up with others meanwhile.
                if (next->tolerance != slack) {
                    slack = next->tolerance;
                    ::prctl(PR_SET_TIMERSLACK,
                        qMax<unsigned long>(1, std::chrono::nanoseconds(slack).count()), 0, 0, 0);
                }
                m_wake.wait_until(lock, next->due);
            }
            if (m_stopping) {
                dropped.swap(m_jobs);
                droppedRepeating.swap(m_repeating);
                break;
            }
        }
        if (job)
            job();
        else if (repeating)
            (*repeating)();
    }
    // Destroyed outside the lock: a job's captures may post or wait.
    dropped.clear();
    droppedRepeating.clear();
}

} // namespace Velmora
