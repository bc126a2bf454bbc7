#include "platform/sim/simscreens.h"

#include "platform/screencoordinates.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

#include <algorithm>

namespace Velmora::Sim {

SimScreens::SimScreens(SimDesktopParts &parts)
    : m_parts(parts)
{
}

namespace {

// The frame moved (and if need be shrunk) so it lies on the display.
QRectF fitted(QRectF frame, const QRectF &display)
{
    frame.setWidth(std::min(frame.width(), display.width()));
    frame.setHeight(std::min(frame.height(), display.height()));
    frame.moveLeft(std::clamp(frame.left(), display.left(), display.right() - frame.width()));
    frame.moveTop(std::clamp(frame.top(), display.top(), display.bottom() - frame.height()));
    return frame;
}

const DisplayInfo *displayHolding(const QList<DisplayInfo> &displays, const QPointF &point)
{
    for (const DisplayInfo &display : displays) {
        if (display.bounds.contains(point))
            return &display;
    }
    return nullptr;
}

} // namespace

void SimScreens::setDisplays(const QList<DisplayInfo> &displays)
{
    const QList<DisplayInfo> before = m_parts.world.displays();
    QList<DisplayInfo> arranged;
    const double primaryHeight = displays.isEmpty() ? 0 : displays.first().bounds.height();
    const ScreenCoordinates coordinates(primaryHeight);
    for (DisplayInfo display : displays) {
        display.frame = coordinates.toScreen(display.bounds);
        display.visibleFrame = m_parts.dock.visibleFrame(display, arranged.isEmpty());
        arranged.append(display);
    }
    m_parts.world.setDisplays(arranged);
    if (!before.isEmpty() && !arranged.isEmpty())
        moveWindowsAlong(before, arranged);
    m_parts.dock.placeStrip();
    m_parts.host.announceDisplaysChanged();
    m_parts.host.changed();
}

void SimScreens::refreshVisibleFrames()
{
    QList<DisplayInfo> displays = m_parts.world.displays();
    bool changed = false;
    for (qsizetype i = 0; i < displays.size(); ++i) {
        const QRectF visible = m_parts.dock.visibleFrame(displays[i], i == 0);
        changed = changed || visible != displays[i].visibleFrame;
        displays[i].visibleFrame = visible;
    }
    if (!changed)
        return;
    m_parts.world.setDisplays(displays);
    m_parts.host.announceDisplaysChanged();
    m_parts.host.changed();
}

void SimScreens::moveWindowsAlong(const QList<DisplayInfo> &before, const QList<DisplayInfo> &after)
{
    const DisplayInfo &main = after.first();
    for (quint32 number : m_parts.world.stackingOrder()) {
        const SimWindow &w = *m_parts.world.window(number);
        const DisplayInfo *was = displayHolding(before, w.bounds.center());
        if (!was)
            continue;
        const auto now = std::find_if(after.cbegin(), after.cend(),
                                      [&](const DisplayInfo &d) { return d.displayId == was->displayId; });
        const QRectF target = now != after.cend() ? now->bounds : main.bounds;
        if (target == was->bounds)
            continue;
        const QRectF moved = fitted(w.bounds.translated(target.topLeft() - was->bounds.topLeft()), target);
        if (moved != w.bounds)
            m_parts.lifecycle.moveWindow(number, moved);
    }
}

} // namespace Velmora::Sim
