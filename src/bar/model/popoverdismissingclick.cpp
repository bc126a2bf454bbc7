#include "bar/model/popoverdismissingclick.h"

#include "bar/model/pointerevents.h"
#include "platform/clock.h"

namespace Velmora {

const QList<InputEventType> PopoverDismissingClick::mouseDownTypes = {
    InputEventType::LeftMouseDown, InputEventType::RightMouseDown, InputEventType::OtherMouseDown};
const QList<InputEventType> PopoverDismissingClick::mouseUpTypes = {
    InputEventType::LeftMouseUp, InputEventType::RightMouseUp, InputEventType::OtherMouseUp};

PointerEvents::~PointerEvents() = default;

PopoverDismissingClick::PopoverDismissingClick(PointerEvents &events, Clock &clock)
    : m_events(events)
    , m_clock(clock)
{
}

bool PopoverDismissingClick::isMouseClick(const std::optional<InputEvent> &event)
{
    if (!event)
        return false;
    switch (event->type) {
    case InputEventType::LeftMouseDown:
    case InputEventType::LeftMouseUp:
    case InputEventType::RightMouseDown:
    case InputEventType::RightMouseUp:
        return true;
    default:
        return false;
    }
}

std::optional<qint64> PopoverDismissingClick::msSinceLast(const QList<InputEventType> &types) const
{
    std::optional<qint64> latest;
    for (InputEventType type : types) {
        const std::optional<qint64> at = m_events.lastEventMs(type);
        if (at && (!latest || *at > *latest))
            latest = at;
    }
    if (!latest)
        return std::nullopt;
    return m_clock.monotonicMs() - *latest;
}

QPointF PopoverDismissingClick::clickLocation() const
{
    const std::optional<InputEvent> event = m_events.currentEvent();
    if (isMouseClick(event))
        return event->location;
    return m_events.pointerLocation();
}

void PopoverDismissingClick::record(const std::optional<QRectF> &anchorFrame)
{
    m_anchorFrame.reset();
    if (!anchorFrame)
        return;
    auto recent = [this](const QList<InputEventType> &types) {
        const std::optional<qint64> since = msSinceLast(types);
        return since && *since < clickWindowMs;
    };
    // A key press or the program closed it: the next press on the anchor
    // must open the popover again.
    if (m_events.pressedMouseButtons() == 0 && !isMouseClick(m_events.currentEvent()) && !recent(mouseDownTypes)
        && !recent(mouseUpTypes))
        return;
    m_anchorFrame = anchorFrame;
    m_recordedAtMs = m_clock.monotonicMs();
}

bool PopoverDismissingClick::consume()
{
    if (!m_anchorFrame)
        return false;
    const QRectF frame = *m_anchorFrame;
    const qint64 recordedAt = m_recordedAtMs;
    m_anchorFrame.reset();

    const std::optional<InputEvent> event = m_events.currentEvent();
    if (event && (event->type == InputEventType::LeftMouseDown || event->type == InputEventType::RightMouseDown)
        && event->timestampMs > recordedAt)
        return false; // this press began after the popover had closed
    // Another press since the close is a new click, whatever it lies on.
    const std::optional<qint64> sinceDown = msSinceLast(mouseDownTypes);
    const qint64 sinceRecord = m_clock.monotonicMs() - recordedAt;
    if (sinceDown && sinceRecord > *sinceDown)
        return false;
    return frame.contains(clickLocation());
}

} // namespace Velmora
