#include "platform/linux/systemclock.h"

#include <QDateTime>
#include <QThread>
#include <QTimer>

namespace Velmora::Linux {

SystemClock::SystemClock(QObject *parent)
    : QObject(parent)
{
    m_monotonic.start();
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
    const JobId id = m_nextId++;
    auto *timer = new QTimer(this);
    timer->setSingleShot(!repeating);
    const qint64 interval = qMax<qint64>(0, intervalMs);
    // Qt has no free tolerance, but a coarse timer lets the system batch our
    // wake-ups, which is what a tolerance is for. A coarse timer may fire up
    // to 5 % of its interval early or late, and a job must never run early:
    // stretch its interval so the earliest firing is the one asked for, and
    // use it only when the tolerance covers the latest.
    const qint64 stretched = (interval * 20 + 18) / 19;
    const bool coarse = toleranceMs > 0 && interval > 0 && stretched * 21 / 20 - interval <= toleranceMs;
    timer->setInterval(std::chrono::milliseconds(coarse ? stretched : interval));
    timer->setTimerType(coarse ? Qt::CoarseTimer : Qt::PreciseTimer);
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

void SystemClock::cancel(JobId id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

bool SystemClock::isScheduled(JobId id) const
{
    return m_timers.contains(id);
}

} // namespace Velmora::Linux
