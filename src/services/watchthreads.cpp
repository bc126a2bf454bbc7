#include "services/watchthreads.h"

#include "platform/clock.h"
#include "platform/sleeper.h"

#include <QDeadlineTimer>
#include <QMetaObject>

#include <algorithm>

namespace Velmora {

WatchThreads::Pacer::~Pacer() = default;

WatchThreads::WatchThreads(const Clock &clock, Sleeper &sleeper, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_sleeper(sleeper)
{
    // A raise job is short; two workers keep one slow application from
    // holding up the raises meant for another.
    m_pool.setMaxThreadCount(2);
}

WatchThreads::~WatchThreads()
{
    waitForAll();
    for (const std::unique_ptr<QThread> &thread : m_threads)
        thread->wait();
}

void WatchThreads::startWatch(const QString &name, std::function<void()> body)
{
    {
        const QMutexLocker locker(&m_mutex);
        ++m_running;
    }
    // Threads whose watch is over are joined here, so the list stays as
    // short as the number of watches running at once.
    m_threads.erase(std::remove_if(m_threads.begin(), m_threads.end(),
                        [](const std::unique_ptr<QThread> &thread) { return thread->wait(QDeadlineTimer(0)); }),
        m_threads.end());
    std::unique_ptr<QThread> thread(QThread::create([this, body = std::move(body)] {
        body();
        finished();
    }));
    thread->setObjectName(name);
    thread->start(QThread::TimeCriticalPriority);
    m_threads.push_back(std::move(thread));
}

void WatchThreads::runSoon(std::function<void()> job)
{
    {
        const QMutexLocker locker(&m_mutex);
        ++m_running;
    }
    m_pool.start([this, job = std::move(job)] {
        job();
        finished();
    });
}

void WatchThreads::postToMain(QObject *context, std::function<void()> job)
{
    QMetaObject::invokeMethod(context ? context : this, std::move(job), Qt::QueuedConnection);
}

void WatchThreads::sleepMs(qint64 ms)
{
    if (m_pacer)
        m_pacer->sleepMs(ms);
    else
        m_sleeper.sleepMs(ms);
}

int WatchThreads::runningCount() const
{
    const QMutexLocker locker(&m_mutex);
    return m_running;
}

bool WatchThreads::waitForAll(int timeoutMs)
{
    const QDeadlineTimer deadline = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QMutexLocker locker(&m_mutex);
    while (m_running > 0) {
        if (!m_idle.wait(&m_mutex, deadline))
            return false;
    }
    return true;
}

void WatchThreads::finished()
{
    const QMutexLocker locker(&m_mutex);
    if (--m_running == 0)
        m_idle.wakeAll();
}

} // namespace Velmora
