#pragma once

#include "platform/inputevents.h"
#include "platform/sim/receiverguard.h"

#include <QHash>
#include <QList>

#include <functional>
#include <optional>

namespace Velmora::Sim {

struct SimDesktopParts;

// The user's input as the simulated desktop sees it: when each kind of event
// last came, and the event taps that watch or filter it. The taps are called
// by SimDesktop outside its lock; this part only keeps them.
class SimInput
{
public:
    struct MouseTap {
        ReceiverGuard receiver;
        std::function<void(const MouseEvent &)> callback;
        bool enabled = true;
    };
    struct KeyTap {
        std::function<int(const KeyEvent &)> callback; // 0 pass, 1 swallow
        bool enabled = true;
    };

    explicit SimInput(SimDesktopParts &parts);

    // Notes an event of `type` at the monotonic time `nowMs`.
    void noteInput(InputEventType type, qint64 nowMs);
    // Milliseconds on the monotonic clock of the last input of `type` (any when unset).
    qint64 lastInputMs(std::optional<InputEventType> type) const;

    quint64 addMouseTap(MouseTap tap);
    quint64 addKeyTap(KeyTap tap);
    void removeTap(quint64 tap);
    void setTapEnabled(quint64 tap, bool enabled);
    bool isTapEnabled(quint64 tap) const;
    // The enabled taps an event goes through, in the order they were added.
    QList<MouseTap> enabledMouseTaps() const;
    QList<KeyTap> enabledKeyTaps() const;
    // Turns every tap off, as the system does when a tap is too slow, and
    // returns them all: a disabled tap still hears that it was turned off.
    std::pair<QList<MouseTap>, QList<KeyTap>> disableAll();

    // Calls the tap on its receiver's thread, and not once the receiver is gone.
    static void dispatch(const MouseTap &tap, const MouseEvent &event);

private:
    SimDesktopParts &m_parts;
    QHash<quint64, MouseTap> m_mouseTaps;
    QHash<quint64, KeyTap> m_keyTaps;
    QList<quint64> m_tapOrder;
    quint64 m_nextTap = 1;
    QHash<int, qint64> m_lastInputMs;
    qint64 m_lastAnyInputMs = 0;
};

} // namespace Velmora::Sim
