#pragma once

#include <QList>

#include <functional>
#include <optional>

class QObject;

namespace Velmora {

class Clock;
class Scheduler;

// Keeps a freshly opened picker's list still while its popover animates
// open: updates that arrive before the deadline are held and applied, in
// the order they came, as soon as it passes. Held updates are dropped only
// when the picker closes or opens anew; a deadline that has passed, or is
// taken away, lets them through at once. Times are on the monotonic clock.
class PickerOpeningGate
{
public:
    // Flushes run on `context`'s thread while it lives.
    PickerOpeningGate(const Clock &clock, Scheduler &scheduler, QObject *context);
    ~PickerOpeningGate();
    PickerOpeningGate(const PickerOpeningGate &) = delete;
    PickerOpeningGate &operator=(const PickerOpeningGate &) = delete;

    std::optional<qint64> endsAt() const { return m_endsAtMs; }
    // Moves the deadline of the opening under way.
    void setEndsAt(std::optional<qint64> monotonicMs);
    // A new opening: what was held for an earlier one is dropped.
    void start(qint64 endsAtMonotonicMs);
    // The picker closed: nothing held is applied.
    void reset();

    // Holds `update` while the opening runs and returns true; false when the
    // caller may apply it now (everything held before it has then been applied).
    bool defer(std::function<void()> update);
    qsizetype heldCount() const { return m_held.size(); }

private:
    void scheduleFlush();
    void cancelFlush();
    void flush();

    const Clock &m_clock;
    Scheduler &m_scheduler;
    QObject *m_context;
    std::optional<qint64> m_endsAtMs;
    QList<std::function<void()>> m_held;
    std::optional<quint64> m_flushJob;
};

} // namespace Velmora
