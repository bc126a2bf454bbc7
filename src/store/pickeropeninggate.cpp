#include "store/pickeropeninggate.h"

#include "platform/clock.h"
#include "platform/scheduler.h"

namespace Velmora {

PickerOpeningGate::PickerOpeningGate(const Clock &clock, Scheduler &scheduler, QObject *context)
    : m_clock(clock)
    , m_scheduler(scheduler)
    , m_context(context)
{
}

PickerOpeningGate::~PickerOpeningGate()
{
    cancelFlush();
}

void PickerOpeningGate::setEndsAt(std::optional<qint64> monotonicMs)
{
    m_endsAtMs = monotonicMs;
    if (m_held.isEmpty())
        return;
    if (!m_endsAtMs || *m_endsAtMs <= m_clock.monotonicMs())
        flush();
    else
        scheduleFlush();
}

void PickerOpeningGate::start(qint64 endsAtMonotonicMs)
{
    reset();
    m_endsAtMs = endsAtMonotonicMs;
}

void PickerOpeningGate::reset()
{
    cancelFlush();
    m_held.clear();
    m_endsAtMs.reset();
}

bool PickerOpeningGate::defer(std::function<void()> update)
{
    if (!m_endsAtMs)
        return false;
    if (*m_endsAtMs <= m_clock.monotonicMs()) {
        // The opening is over even if the flush has not run yet: what it
        // held goes first, so updates still apply in the order they came.
        flush();
        return false;
    }
    if (m_held.isEmpty())
        scheduleFlush();
    m_held.append(std::move(update));
    return true;
}

void PickerOpeningGate::scheduleFlush()
{
    cancelFlush();
    const qint64 remaining = std::max<qint64>(*m_endsAtMs - m_clock.monotonicMs(), 0);
    m_flushJob = m_scheduler.scheduleOnce(remaining, m_context, [this] {
        m_flushJob.reset();
        flush();
    });
}

void PickerOpeningGate::cancelFlush()
{
    if (m_flushJob)
        m_scheduler.cancel(*m_flushJob);
    m_flushJob.reset();
}

void PickerOpeningGate::flush()
{
    cancelFlush();
    m_endsAtMs.reset();
    // Each update finds the gate open and applies itself; one that opens the
    // picker anew starts a new gate, which the rest then respect.
    const QList<std::function<void()>> held = std::exchange(m_held, {});
    for (const auto &update : held)
        update();
}

} // namespace Velmora
