#pragma once

#include "platform/eventtap.h"
#include "platform/inputevents.h"

#include <functional>
#include <memory>
#include <optional>

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

    virtual ~EventTaps();

    // A listen-only tap on left mouse presses and releases (and the tap's
    // TapDisabled events). The callback runs on `context`'s thread while
    // `context` lives and cannot change the event. Null when the system
    // refuses the tap.
    virtual std::unique_ptr<EventTap> createMouseTap(QObject *context, MouseCallback callback) = 0;
    // An active tap on key presses: the callback decides, before the
    // application sees the key, whether it passes or is swallowed. It runs on
    // the thread that delivers the event (the tap's own thread on a real
    // desktop), so it must be quick and must not touch main-thread state.
    // Null when the system refuses the tap.
    virtual std::unique_ptr<EventTap> createKeyTap(KeyCallback callback) = 0;

    // Whether this process may post events to other processes.
    virtual bool preflightPostEventAccess() const = 0;
    // Sends a key press or release to the process `pid` only.
    virtual void postKeyEvent(qint32 pid, const KeyEvent &event) = 0;
    // Seconds since the user's last input event of `type`, or of any type.
    virtual double secondsSinceLastEvent(std::optional<InputEventType> type) const = 0;
};

} // namespace Velmora
