#pragma once

#include "platform/inputevents.h"
#include "platform/sim/receiverguard.h"
#include "platform/sim/simknobs.h"
#include "platform/sim/simthreadanchor.h"

#include <QHash>
#include <QList>
#include <QMutex>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace Velmora::Sim {

// The user's input as the simulated desktop sees it: when each kind of event
// last came, which buttons are down, the event being handled, and the event
// taps that watch or filter it. SimDesktop calls the taps outside its lock;
// this part only keeps them.
class SimInput
{
public:
    // The door to one tap's callback. Once closed (the tap is removed), no
    // call starts, and closing waits for a call under way on another thread,
    // so the tap's owner never hears from it after it is gone.
    class TapGate
    {
    public:
        // Runs `call` unless the gate is closed; true when it ran.
        bool run(const std::function<void()> &call);
        void close();
        bool isClosed() const { return m_closed; }

    private:
        QMutex m_mutex;
        std::atomic<bool> m_closed = false;
        std::atomic<Qt::HANDLE> m_runningOn = nullptr;
    };

    struct MouseTap {
        std::shared_ptr<TapGate> gate = std::make_shared<TapGate>();
        ReceiverGuard receiver;
        std::function<void(const MouseEvent &)> callback;
        quint64 eventMask = 0;
        bool enabled = true;
    };
    struct KeyTap {
        std::shared_ptr<TapGate> gate = std::make_shared<TapGate>();
        // An object living on the thread that created the tap, where the
        // callback runs; none: the callback runs where the event is delivered.
        std::shared_ptr<SimThreadAnchor> thread;
        std::function<int(const KeyEvent &)> callback; // 0 pass, 1 swallow
        bool enabled = true;
        quint64 handle = 0;
    };

    // An event of the user's, at the monotonic time in its timestamp.
    void noteInput(const InputEvent &event);
    // Milliseconds on the monotonic clock of the last input of `type` (any when unset).
    qint64 lastInputMs(std::optional<InputEventType> type) const;
    quint32 pressedMouseButtons() const { return m_pressedButtons; }
    std::optional<InputEvent> currentEvent() const { return m_currentEvent; }

    quint64 addMouseTap(MouseTap tap);
    quint64 addKeyTap(KeyTap tap);
    // Takes the tap out; the caller closes its gate once the lock is released.
    std::shared_ptr<TapGate> removeTap(quint64 tap);
    void setTapEnabled(quint64 tap, bool enabled);
    bool isTapEnabled(quint64 tap) const;
    // The enabled taps an event of `type` goes through, in the order they were added.
    QList<MouseTap> mouseTapsFor(InputEventType type) const;
    QList<KeyTap> enabledKeyTaps() const;
    // Turns every tap off, as the system does when a tap is too slow, and
    // returns them all: a disabled tap still hears that it was turned off.
    std::pair<QList<MouseTap>, QList<KeyTap>> disableAll();

    // Calls a mouse tap on its receiver's thread, not once the receiver or the tap is gone.
    static void dispatch(const MouseTap &tap, const MouseEvent &event);
    // A key tap's decision on a key (0 pass, 1 swallow), taken on the tap's
    // thread while the caller waits. A tap too slow to answer lets the key
    // pass; it is to be turned off (`turnOff`, called without waiting) and
    // hears TapDisabledByTimeout.
    static int ask(const KeyTap &tap, const KeyEvent &event, const SimKnobs &knobs,
                   const std::function<void()> &turnOff);
    // Asks the taps in turn; false when one of them swallowed the key. A tap
    // too slow to answer is turned off with `turnOff`.
    static bool passesKeyTaps(const QList<KeyTap> &taps, const KeyEvent &event, const SimKnobs &knobs,
                              const std::function<void(quint64 tap)> &turnOff);
    // Tells a key tap it was turned off, on its thread, without waiting.
    static void tellDisabled(const KeyTap &tap, InputEventType reason);
    // A disabled tap still hears that it was disabled, so it can turn itself back on.
    static void tellDisabled(const std::pair<QList<MouseTap>, QList<KeyTap>> &taps, InputEventType reason,
                             const QPointF &pointer);

private:
    QHash<quint64, MouseTap> m_mouseTaps;
    QHash<quint64, KeyTap> m_keyTaps;
    QList<quint64> m_tapOrder;
    quint64 m_nextTap = 1;
    QHash<int, qint64> m_lastInputMs;
    qint64 m_lastAnyInputMs = 0;
    quint32 m_pressedButtons = 0;
    std::optional<InputEvent> m_currentEvent;
};

} // namespace Velmora::Sim
