#pragma once

#include "platform/scheduler.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <optional>

namespace Velmora {

// What a press on a window card turns into: a click, a lift after the card
// was held still a moment, a horizontal drag for reordering and its end, or
// a refused drag when the cards may not be reordered. The widget over the
// card measures points in the strip's document coordinates (so a drag keeps
// its distance while the strip scrolls under a still pointer) and hands the
// events here with their timestamps.
//
// Every report runs the latest callback set; each press ends once, and
// events without a tracked press (a release whose press went elsewhere) are
// ignored.
class WindowPreviewPointer : public QObject
{
    Q_OBJECT
public:
    // A card held this long rises; a draggable card held this long and
    // released in place is not a click.
    static constexpr qint64 liftDelayMs = 250;
    // Movement below this is a jitter during a click.
    static constexpr qreal dragThreshold = 5;

    struct Callbacks
    {
        std::function<void()> clicked;
        // true: the card is lifted; false: the lift ended.
        std::function<void(bool)> pressChanged;
        // The horizontal distance from the press point, in points.
        std::function<void(qreal)> dragChanged;
        std::function<void()> dragEnded;
        std::function<void()> dragRefused;
    };

    explicit WindowPreviewPointer(Scheduler &scheduler, QObject *parent = nullptr);
    ~WindowPreviewPointer() override;

    void setCanDrag(bool canDrag) { m_canDrag = canDrag; }
    bool canDrag() const { return m_canDrag; }
    void setCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }

    // A left mouse-down at `documentPoint`. A Control-click is not taken: it
    // belongs to the card's context menu. Answers whether a press is tracked.
    bool mouseDown(QPointF documentPoint, qint64 timestampMs, Qt::KeyboardModifiers modifiers);
    // A move with the button down. `autoscroll` scrolls the strip when the
    // pointer nears or leaves its edge and answers the pointer's document
    // point afterwards; the drag distance is measured after it.
    void mouseDragged(QPointF documentPoint, const std::function<QPointF()> &autoscroll = {});
    // The release; `inside` tells whether it lies on the card.
    void mouseUp(qint64 timestampMs, bool inside);
    // The card left its window (the picker closed, the card was removed)
    // while held: the lift ends and the strip hears the drag end, even when
    // no drag had begun, so it can reset.
    void detached();

    bool isPressed() const { return m_start.has_value(); }
    bool isDragging() const { return m_dragging; }
    bool isLifted() const { return m_lifted; }
    bool hasRefusedDrag() const { return m_refusedDrag; }

private:
    void endPress();
    void lift();

    Scheduler &m_scheduler;
    bool m_canDrag = true;
    Callbacks m_callbacks;
    bool m_refusedDrag = false;
    std::optional<QPointF> m_start;
    qint64 m_pressTimestampMs = 0;
    bool m_dragging = false;
    Scheduler::JobId m_liftTimer = 0;
    bool m_lifted = false;
};

} // namespace Velmora
