#include "platform/sim/virtualclock.h"

#include <QThread>

namespace Velmora::Sim {

VirtualClock::VirtualClock(qint64 wallClockStartMs, qint64 monotonicStartMs)
    : m_wallMs(wallClockStartMs)
    , m_monoMs(monotonicStartMs)
{
}

qint64 VirtualClock::wallClockMs() const
{
    return m_wallMs.load();
}

qint64 VirtualClock::monotonicMs() const
{
    return m_monoMs.load();
}

Scheduler::JobId VirtualClock::scheduleOnce(qint64 delayMs, QObject *context, std::function<void()> job)
{
    const JobId id = m_nextId++;
    m_jobs[id] = Job{m_monoMs.load() + qMax<qint64>(0, delayMs), 0, 0, context != nullptr, context, std::move(job)};
    return id;
}

Scheduler::JobId VirtualClock::scheduleRepeating(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                                                 std::function<void()> job)
{
    const JobId id = m_nextId++;
    const qint64 interval = qMax<qint64>(1, intervalMs);
    m_jobs[id] = Job{m_monoMs.load() + interval, interval, toleranceMs, context != nullptr, context, std::move(job)};
    return id;
}

void VirtualClock::cancel(JobId id)
{
    m_jobs.erase(id);
}

bool VirtualClock::isScheduled(JobId id) const
{
    return m_jobs.count(id) != 0;
}

qint64 VirtualClock::toleranceOf(JobId id) const
{
    const auto it = m_jobs.find(id);
    return it == m_jobs.end() ? -1 : it->second.toleranceMs;
}

qint64 VirtualClock::intervalOf(JobId id) const
{
    const auto it = m_jobs.find(id);
    return it == m_jobs.end() ? -1 : it->second.intervalMs;
}

void VirtualClock::elapse(qint64 ms)
{
    if (ms <= 0)
        return;
    m_monoMs.fetch_add(ms);
    m_wallMs.fetch_add(ms);
}

void VirtualClock::sleepMs(qint64 ms)
{
    elapse(ms);
    QThread::yieldCurrentThread();
}

void VirtualClock::setWallClockMs(qint64 ms)
{
    m_wallMs.store(ms);
}

void VirtualClock::advance(qint64 ms)
{
    const qint64 target = m_monoMs.load() + qMax<qint64>(0, ms);
    for (;;) {
        // The earliest due job, ties broken by creation order.
        auto next = m_jobs.end();
        for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it) {
            if (it->second.hasContext && !it->second.context)
                continue;
            if (next == m_jobs.end() || it->second.dueMs < next->second.dueMs)
                next = it;
        }
        if (next == m_jobs.end() || next->second.dueMs > target)
            break;

        const qint64 step = next->second.dueMs - m_monoMs.load();
        if (step > 0) {
            m_monoMs.fetch_add(step);
            m_wallMs.fetch_add(step);
        }
        // Copy the callable: the job may cancel itself or schedule others.
        std::function<void()> fn = next->second.fn;
        if (next->second.intervalMs > 0) {
            next->second.dueMs += next->second.intervalMs;
            // A repeating job that fell behind while the thread was blocked
            // runs once, not once per missed interval, as a real timer does.
            if (next->second.dueMs <= m_monoMs.load())
                next->second.dueMs = m_monoMs.load() + next->second.intervalMs;
        } else {
            m_jobs.erase(next);
        }
        fn();
    }
    // Drop jobs whose context died so they cannot pile up.
    std::erase_if(m_jobs, [](const auto &entry) { return entry.second.hasContext && !entry.second.context; });

    const qint64 rest = target - m_monoMs.load();
    if (rest > 0) {
        m_monoMs.fetch_add(rest);
        m_wallMs.fetch_add(rest);
    }
}

} // namespace Velmora::Sim
