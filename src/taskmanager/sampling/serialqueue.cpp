#include "taskmanager/sampling/serialqueue.h"

#include <future>
#include <memory>
#include <pthread.h>
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
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping) {
                dropped.swap(m_jobs);
                break;
            }
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
    // Destroyed outside the lock: a job's captures may post or wait.
    dropped.clear();
}

} // namespace Velmora
