#include "platform/sim/simwindowtransitions.h"

#include "platform/axnames.h"
#include "platform/clock.h"
#include "platform/screencoordinates.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

#include <cmath>

namespace Velmora::Sim {

namespace {

QRectF between(const QRectF &from, const QRectF &to, double t)
{
    auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return QRectF(mix(from.x(), to.x()), mix(from.y(), to.y()), mix(from.width(), to.width()),
                  mix(from.height(), to.height()));
}

} // namespace

SimWindowTransitions::SimWindowTransitions(SimDesktopParts &parts)
    : m_parts(parts)
{
}

bool SimWindowTransitions::beginMinimize(quint32 number)
{
    const SimWindow *w = m_parts.world.window(number);
    if (!w || w->minimized || !w->visible || m_inTransition.contains(number))
        return false;
    const quint64 transition = m_nextTransition++;
    m_inTransition.insert(number, transition);
    animate(number, transition, w->bounds, m_parts.dock.tileFrame(*w), minimizeDurationMs(*w), [this, number] {
        SimWindow *w = m_parts.world.window(number);
        w->minimized = true;
        m_parts.registry.notifyWindow(number, AXNames::WindowMiniaturized);
        m_parts.activation.raiseNextSibling(w->ownerPid);
        m_parts.host.changed();
    });
    return true;
}

bool SimWindowTransitions::beginRestore(quint32 number)
{
    SimWindow *w = m_parts.world.window(number);
    if (!w || !w->minimized || m_inTransition.contains(number))
        return false;
    const quint64 transition = m_nextTransition++;
    m_inTransition.insert(number, transition);
    const QRectF tile = m_parts.dock.tileFrame(*w);
    const qint64 duration = minimizeDurationMs(*w);
    const bool grows = m_parts.knobs.minimizeAnimates && m_parts.knobs.animationFrameMs > 0 && duration > 0;
    // Animated, the window comes out of its tile at once and grows to its
    // frame; otherwise it shows when the restore lands.
    if (grows) {
        w->animatedFrame = tile;
        comeBack(number);
    }
    animate(number, transition, tile, w->bounds, duration, [this, number, grows] {
        if (!grows)
            comeBack(number);
        m_parts.registry.notifyWindow(number, AXNames::WindowDeminiaturized);
        m_parts.host.changed();
    });
    return true;
}

void SimWindowTransitions::comeBack(quint32 number)
{
    SimWindow *w = m_parts.world.window(number);
    w->minimized = false;
    const qint32 owner = w->ownerPid;
    // Coming back from the Dock activates the application, which brings all
    // of its windows along; the restored one ends up in front.
    if (m_parts.world.process(owner)->siblingsRise && m_parts.world.frontmost() != owner)
        m_parts.activation.activate(owner);
    m_parts.world.bringToFront({number});
    m_parts.host.changed();
}

bool SimWindowTransitions::beginClose(quint32 number)
{
    const SimWindow *w = m_parts.world.window(number);
    if (!w || w->sheetOpen || m_inTransition.contains(number))
        return false;
    const quint64 transition = m_nextTransition++;
    m_inTransition.insert(number, transition);
    const qint64 duration = m_parts.world.process(w->ownerPid)->closeDurationMs;
    m_parts.host.laterLocked(duration, [this, number, transition] {
        if (m_inTransition.value(number) != transition)
            return;
        m_inTransition.remove(number);
        SimWindow *w = m_parts.world.window(number);
        if (w->closeShowsSheet) {
            // Unsaved changes: the application asks first and the window stays.
            w->sheetOpen = true;
            m_parts.host.changed();
            return;
        }
        const qint32 owner = w->ownerPid;
        m_parts.lifecycle.destroyWindow(number);
        m_parts.activation.raiseNextSibling(owner);
    });
    return true;
}

bool SimWindowTransitions::answerSheet(quint32 number, bool close)
{
    SimWindow *w = m_parts.world.window(number);
    if (!w || !w->sheetOpen)
        return false;
    w->sheetOpen = false;
    if (close) {
        const qint32 owner = w->ownerPid;
        m_parts.lifecycle.destroyWindow(number);
        m_parts.activation.raiseNextSibling(owner);
    }
    m_parts.host.changed();
    return true;
}

qint64 SimWindowTransitions::minimizeDurationMs(const SimWindow &window) const
{
    const qint64 duration = m_parts.world.process(window.ownerPid)->minimizeDurationMs;
    if (!m_parts.world.reducesMotion())
        return duration;
    return qint64(std::llround(double(duration) * m_parts.knobs.reducedMotionScale));
}

void SimWindowTransitions::animate(quint32 number, quint64 transition, const QRectF &from, const QRectF &to,
                                   qint64 durationMs, std::function<void()> done)
{
    const qint64 frame = m_parts.knobs.animationFrameMs;
    if (!m_parts.knobs.minimizeAnimates || frame <= 0 || durationMs <= 0) {
        // No frames: the window keeps its size until the change lands.
        m_parts.host.laterLocked(durationMs, [this, number, transition, done] {
            if (m_inTransition.value(number) != transition)
                return;
            m_inTransition.remove(number);
            if (SimWindow *w = m_parts.world.window(number)) {
                w->animatedFrame = QRectF();
                done();
            }
        });
        return;
    }
    const qint64 start = m_parts.host.clock().monotonicMs();
    animationFrame(number, transition, from, to, start, durationMs, done);
}

void SimWindowTransitions::animationFrame(quint32 number, quint64 transition, const QRectF &from, const QRectF &to,
                                          qint64 startMs, qint64 durationMs, const std::function<void()> &done)
{
    const qint64 elapsed = m_parts.host.clock().monotonicMs() - startMs;
    SimWindow *w = m_parts.world.window(number);
    if (!w || m_inTransition.value(number) != transition)
        return;
    if (elapsed >= durationMs) {
        m_inTransition.remove(number);
        w->animatedFrame = QRectF();
        done();
        return;
    }
    w->animatedFrame = between(from, to, double(elapsed) / double(durationMs));
    m_parts.host.changed();
    const qint64 next = std::min(m_parts.knobs.animationFrameMs, durationMs - elapsed);
    m_parts.host.laterLocked(next, [this, number, transition, from, to, startMs, durationMs, done] {
        animationFrame(number, transition, from, to, startMs, durationMs, done);
    });
}

void SimWindowTransitions::mouseButton(InputEventType type, const QPointF &globalPoint)
{
    SimWorld &world = m_parts.world;
    const std::optional<quint32> hit = world.windowAt(globalPoint);
    if (!hit)
        return;
    const SimWindow w = *world.window(*hit);
    const auto onButton = [&](SimNode::Kind button) { return SimWorld::buttonFrame(w, button).contains(globalPoint); };
    const bool onMinimize = w.hasMinimizeButton && w.minimizeButtonEnabled && onButton(SimNode::Kind::MinimizeButton);
    const bool onClose = w.hasCloseButton && onButton(SimNode::Kind::CloseButton);
    const bool onZoom = onButton(SimNode::Kind::ZoomButton);
    if (type == InputEventType::LeftMouseDown) {
        // The title-bar buttons act on release, without activating anything.
        if (onMinimize || onClose || onZoom || w.ownerPid == world.selfPid())
            return;
        // A press on a window of another application activates it, and
        // the desktop brings all of that application's windows forward
        // with it, the pressed one in front.
        const bool wasActive = world.frontmost() == w.ownerPid;
        m_parts.activation.focusWindow(w.number);
        if (!wasActive)
            m_parts.activation.activate(w.ownerPid);
        return;
    }
    if (type != InputEventType::LeftMouseUp)
        return;
    if (onMinimize)
        beginMinimize(w.number);
    else if (onClose)
        beginClose(w.number);
    else if (onZoom)
        zoom(w.number);
}

void SimWindowTransitions::zoom(quint32 number)
{
    SimWorld &world = m_parts.world;
    SimWindow *w = world.window(number);
    const DisplayInfo *display = w ? world.displayOf(*w) : nullptr;
    if (!display || world.displays().isEmpty())
        return;
    // The visible frame is kept in the screen convention (y up).
    const QRectF area = ScreenCoordinates(world.displays().first().bounds.height()).toGlobal(display->visibleFrame);
    // Zoomed windows go back to where they were; others fill the visible frame.
    if (!w->zoomedFrom.isNull() && w->bounds == area) {
        const QRectF before = w->zoomedFrom;
        w->zoomedFrom = QRectF();
        m_parts.lifecycle.moveWindow(number, before);
        return;
    }
    w->zoomedFrom = w->bounds;
    m_parts.lifecycle.moveWindow(number, area);
}

} // namespace Velmora::Sim
