#include "picker/model/windowpreviewpointer.h"

#include <QLineF>

namespace Velmora {

namespace {

template<typename... Args, typename F> void call(const F &callback, Args... args)
{
    if (callback)
        callback(args...);
}

} // namespace

WindowPreviewPointer::WindowPreviewPointer(Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
{
}

WindowPreviewPointer::~WindowPreviewPointer()
{
    m_scheduler.cancel(m_liftTimer);
}

bool WindowPreviewPointer::mouseDown(QPointF documentPoint, qint64 timestampMs, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::ControlModifier))
        return false;
    m_start = documentPoint;
    m_pressTimestampMs = timestampMs;
    m_dragging = false;
    m_refusedDrag = false;
    m_lifted = false;
    m_scheduler.cancel(m_liftTimer);
    m_liftTimer = 0;
    if (!m_canDrag)
        return true;
    // The lift comes also when a drag began within the delay: a card dragged
    // at once rises as soon as the timer fires.
    m_liftTimer = m_scheduler.scheduleOnce(liftDelayMs, this, [this] { lift(); });
    return true;
}

void WindowPreviewPointer::lift()
{
    m_liftTimer = 0;
    if (!m_start)
        return;
    m_lifted = true;
    call(m_callbacks.pressChanged, true);
}

void WindowPreviewPointer::mouseDragged(QPointF documentPoint, const std::function<QPointF()> &autoscroll)
{
    if (!m_start)
        return;
    if (!m_dragging && QLineF(*m_start, documentPoint).length() < dragThreshold)
        return;
    if (m_canDrag) {
        m_dragging = true;
        const QPointF point = autoscroll ? autoscroll() : documentPoint;
        // The callback may end the press (a reorder that removes the card).
        if (m_start)
            call(m_callbacks.dragChanged, point.x() - m_start->x());
        return;
    }
    if (m_refusedDrag)
        return;
    m_refusedDrag = true;
    call(m_callbacks.dragRefused);
}

void WindowPreviewPointer::mouseUp(qint64 timestampMs, bool inside)
{
    if (!m_start)
        return;
    m_start.reset();
    endPress();
    if (m_dragging) {
        m_dragging = false;
        call(m_callbacks.dragEnded);
        return;
    }
    if (m_refusedDrag) {
        m_refusedDrag = false;
        return;
    }
    // A long press on a draggable card was an attempt to lift it; on a card
    // that cannot be dragged a long press is still a click.
    if (m_canDrag && timestampMs - m_pressTimestampMs >= liftDelayMs)
        return;
    if (inside)
        call(m_callbacks.clicked);
}

void WindowPreviewPointer::detached()
{
    if (!m_start)
        return;
    m_start.reset();
    m_dragging = false;
    m_refusedDrag = false;
    endPress();
    call(m_callbacks.dragEnded);
}

void WindowPreviewPointer::endPress()
{
    m_scheduler.cancel(m_liftTimer);
    m_liftTimer = 0;
    if (!m_lifted)
        return;
    m_lifted = false;
    call(m_callbacks.pressChanged, false);
}

} // namespace Velmora
