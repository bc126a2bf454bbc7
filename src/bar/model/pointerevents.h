#pragma once

#include "platform/inputevents.h"

#include <QPointF>

#include <optional>

namespace Velmora {

// The pointer as the popovers' closing rules read it: what is pressed, the
// latest mouse event and when each kind of mouse event last happened. Every
// time is in milliseconds of the monotonic clock, so a record made now can be
// compared with the timestamp of any event without mixing clocks.
class PointerEvents
{
public:
    virtual ~PointerEvents();

    // The mouse buttons held down now: bit 0 the left one, bit 1 the right
    // one, bit 2 any other.
    virtual quint32 pressedMouseButtons() const = 0;
    // The latest input event (a mouse press or release, or a key press);
    // nothing before the first.
    virtual std::optional<InputEvent> currentEvent() const = 0;
    // When the last event of `type` happened; nothing when none has yet.
    virtual std::optional<qint64> lastEventMs(InputEventType type) const = 0;
    // Where the pointer is now, in global coordinates (top-left origin, y down).
    virtual QPointF pointerLocation() const = 0;
};

} // namespace Velmora
