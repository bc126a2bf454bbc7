#pragma once

#include "platform/eventtap.h"
#include "platform/inputevents.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QObject;

namespace Velmora {

// Watching and filtering the user's input before applications see it, and
// sending key presses to an application.
class EventTaps
{
public:
    enum class KeyDecision { Pass, Swallow };
    using MouseCallback = std::function<void(const MouseEvent &event)>;
    using KeyCallback = std::function<KeyDecision(const KeyEvent &event)>;

    static constexpr quint64 LeftMouseMask = eventMaskBit(InputEventType::LeftMouseDown)
        | eventMaskBit(InputEventType::LeftMouseUp);

    virtual ~EventTaps();

    // A listen-only tap on the mouse events whose types are in `eventMask`
    // (and the tap's TapDisabled events, which every tap hears). The callback
    // runs on `context`'s thread while `context` lives and cannot change the
    // event. Null when the system refuses the tap.
    virtual std::unique_ptr<EventTap> createMouseTap(quint64 eventMask, QObject *context, MouseCallback callback) = 0;
    // A listen-only tap on left mouse presses and releases.
    std::unique_ptr<EventTap> createMouseTap(QObject *context, MouseCallback callback)
    {
        return createMouseTap(LeftMouseMask, context, std::move(callback));
    }
    // An active tap on key presses: the callback decides, before the
    // application sees the key, whether it passes or is swallowed. It runs on
    // the thread that created the tap, through that thread's event loop, while
    // the key waits for the answer; so it must be quick and must not touch
    // main-thread state. A tap that answers too slowly is turned off (it then
    // hears TapDisabledByTimeout). Null when the system refuses the tap.
    virtual std::unique_ptr<EventTap> createKeyTap(KeyCallback callback) = 0;

    // Whether this process may post events to other processes.
    virtual bool preflightPostEventAccess() const = 0;
    // Sends a key press or release to the process `pid` only.
    virtual void postKeyEvent(qint32 pid, const KeyEvent &event) = 0;
    // Seconds since the user's last input event of `type`, or of any type.
    virtual double secondsSinceLastEvent(std::optional<InputEventType> type) const = 0;
    // The mouse buttons held down now: bit 0 the left one, bit 1 the right
    // one, bit 2 any other.
    virtual quint32 pressedMouseButtons() const = 0;
    // The input event the application is handling: the user's latest one.
    // Nothing before the first.
    virtual std::optional<InputEvent> currentEvent() const = 0;
};

} // namespace Velmora
