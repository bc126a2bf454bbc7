#pragma once

#include "platform/inputevents.h"

#include <QList>
#include <QRectF>

#include <optional>

namespace Velmora {

class Clock;
class PointerEvents;

// Remembers the click that just closed a popover, so that the same press,
// arriving a moment later at the button under the pointer, does not open the
// popover again: a click on the Start button while the Start menu is open
// closes the menu and stops there.
//
// One record for the whole application, kept on the monotonic clock like
// the event timestamps it is compared with. Main thread only.
class PopoverDismissingClick
{
public:
    // How recent a mouse event must be for a close to count as caused by it.
    static constexpr qint64 clickWindowMs = 100;

    PopoverDismissingClick(PointerEvents &events, Clock &clock);

    // A popover starts closing for a reason other than its binding; its
    // anchor's frame in global coordinates, or nothing when the anchor is in
    // no window. Kept only when a mouse click caused the close.
    void record(const std::optional<QRectF> &anchorFrame);
    // Whether the press being handled now is the click that closed a popover
    // and lies on that popover's anchor. Answers true at most once; the
    // record is gone afterwards either way.
    bool consume();
    bool hasRecord() const { return m_anchorFrame.has_value(); }

    // A left or right mouse press or release.
    static bool isMouseClick(const std::optional<InputEvent> &event);
    // Milliseconds since the latest event of any of `types`; nothing when
    // none of them has happened (or the list is empty).
    std::optional<qint64> msSinceLast(const QList<InputEventType> &types) const;
    // Where the click being handled happened, else where the pointer is.
    QPointF clickLocation() const;

    static const QList<InputEventType> mouseDownTypes;
    static const QList<InputEventType> mouseUpTypes;

private:
    PointerEvents &m_events;
    Clock &m_clock;
    std::optional<QRectF> m_anchorFrame;
    qint64 m_recordedAtMs = 0;
};

} // namespace Velmora
