#include "services/watchthreads.h"

#include "platform/clock.h"
#include "platform/sleeper.h"

#include <QMetaObject>

#include <algorithm>
#include <iterator>

#include <pthread.h>

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
    for (const std::unique_ptr<Watch> &watch : m_watches)
        watch->thread.join();
    m_pool.waitForDone();
}

void WatchThreads::startWatch(const QString &name, std::function<void()> body)
{
    {
        const std::lock_guard locker(m_mutex);
        ++m_running;
    }
    joinFinishedWatches();
    auto watch = std::make_unique<Watch>();
    Watch *raw = watch.get();
    watch->thread = std::thread([this, raw, body = std::move(body)] {
        body();
        finished(raw);
    });
    // Named as the product names its threads; the kernel keeps 15 bytes.
    ::pthread_setname_np(watch->thread.native_handle(), name.toUtf8().left(15).constData());
    m_watches.push_back(std::move(watch));
}

// Threads whose watch is over are joined here, so the list stays as short as
// the number of watches running at once.
void WatchThreads::joinFinishedWatches()
{
    std::vector<std::unique_ptr<Watch>> over;
    {
        const std::lock_guard locker(m_mutex);
        const auto firstOver = std::stable_partition(m_watches.begin(), m_watches.end(),
            [](const std::unique_ptr<Watch> &watch) { return !watch->done; });
        std::move(firstOver, m_watches.end(), std::back_inserter(over));
        m_watches.erase(firstOver, m_watches.end());
    }
    for (const std::unique_ptr<Watch> &watch : over)
        watch->thread.join();
}

void WatchThreads::runSoon(std::function<void()> job)
{
    {
        const std::lock_guard locker(m_mutex);
        ++m_running;
    }
    m_pool.start([this, job = std::move(job)] {
        job();
        finished(nullptr);
    });
}

void WatchThreads::postToMain(QObject *context, std::function<void()> job)
{
    QMetaObject::invokeMethod(context ? context : this, std::move(job), Qt::QueuedConnection);
}

void WatchThreads::sleepMs(qint64 ms)
{
    if (Pacer *pacer = m_pacer.load(std::memory_order_acquire))
        pacer->sleepMs(ms);
    else
        m_sleeper.sleepMs(ms);
}

int WatchThreads::runningCount() const
{
    const std::lock_guard locker(m_mutex);
    return m_running;
}

bool WatchThreads::waitForAll(int timeoutMs)
{
    std::unique_lock locker(m_mutex);
    const auto idle = [this] { return m_running == 0; };
    if (timeoutMs < 0) {
        m_idle.wait(locker, idle);
        return true;
    }
    return m_idle.wait_for(locker, std::chrono::milliseconds(timeoutMs), idle);
}

void WatchThreads::finished(Watch *watch)
{
    const std::lock_guard locker(m_mutex);
    if (watch)
        watch->done = true;
    if (--m_running == 0)
        m_idle.notify_all();
}

} // namespace Velmora
