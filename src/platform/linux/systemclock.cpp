#include "platform/linux/systemclock.h"

#include <QDateTime>
#include <QThread>
#include <QTimer>

namespace Velmora::Linux {

SystemClock::SystemClock(QObject *parent)
    : QObject(parent)
{
    m_monotonic.start();
    m_wake = new QTimer(this);
    m_wake->setSingleShot(true);
    m_wake->setTimerType(Qt::PreciseTimer);
    connect(m_wake, &QTimer::timeout, this, &SystemClock::runDueTolerantJobs);
}

SystemClock::~SystemClock() = default;

qint64 SystemClock::wallClockMs() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 SystemClock::monotonicMs() const
{
    return m_monotonic.elapsed();
}

void SystemClock::sleepMs(qint64 ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

Scheduler::JobId SystemClock::scheduleOnce(qint64 delayMs, QObject *context, std::function<void()> job)
{
    return start(delayMs, 0, false, context, std::move(job));
}

Scheduler::JobId SystemClock::scheduleRepeating(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                                                std::function<void()> job)
{
    return start(intervalMs, toleranceMs, true, context, std::move(job));
}

Scheduler::JobId SystemClock::start(qint64 intervalMs, qint64 toleranceMs, bool repeating, QObject *context,
                                    std::function<void()> job)
{
    const qint64 interval = qMax<qint64>(0, intervalMs);
    if (repeating && toleranceMs > 0 && interval > 0)
        return startTolerant(interval, toleranceMs, context, std::move(job));
    const JobId id = m_nextId++;
    auto *timer = new QTimer(this);
    timer->setSingleShot(!repeating);
    timer->setInterval(std::chrono::milliseconds(interval));
    timer->setTimerType(Qt::PreciseTimer);
    QPointer<QObject> guard(context);
    const bool hasContext = context != nullptr;
    connect(timer, &QTimer::timeout, this, [this, id, timer, guard, hasContext, repeating, job] {
        if (hasContext && !guard) {
            cancel(id);
            return;
        }
        if (!repeating) {
            m_timers.remove(id);
            timer->deleteLater();
        }
        job();
    });
    if (context)
        connect(context, &QObject::destroyed, this, [this, id] { cancel(id); });
    m_timers.insert(id, timer);
    timer->start();
    return id;
}

Scheduler::JobId SystemClock::startTolerant(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                                            std::function<void()> job)
{
    const JobId id = m_nextId++;
    m_tolerantJobs.insert(id,
        TolerantJob { context, context != nullptr, std::make_shared<std::function<void()>>(std::move(job)) });
    m_schedule.add(id, monotonicMs(), intervalMs, toleranceMs);
    if (context)
        connect(context, &QObject::destroyed, this, [this, id] { cancel(id); });
    armWake();
    return id;
}

void SystemClock::runDueTolerantJobs()
{
    // A job may cancel or start others: each is looked up as its turn comes.
    for (const JobId id : m_schedule.takeDue(monotonicMs())) {
        const auto it = m_tolerantJobs.constFind(id);
        if (it == m_tolerantJobs.cend())
            continue;
        if (it->hasContext && !it->context) {
            cancel(id);
            continue;
        }
        const std::shared_ptr<std::function<void()>> job = it->job;
        (*job)();
    }
    armWake();
}

void SystemClock::armWake()
{
    const std::optional<qint64> wake = m_schedule.nextWakeMs();
    if (!wake) {
        m_wake->stop();
        return;
    }
    // The timer never fires before the time asked for, and our milliseconds
    // are whole ones counted down: a job is never run before it is due.
    m_wake->start(std::chrono::milliseconds(qMax<qint64>(0, *wake - monotonicMs())));
}

void SystemClock::cancel(JobId id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
    if (m_tolerantJobs.remove(id)) {
        m_schedule.remove(id);
        armWake();
    }
}

bool SystemClock::isScheduled(JobId id) const
{
    return m_timers.contains(id) || m_tolerantJobs.contains(id);
}

} // namespace Velmora::Linux
