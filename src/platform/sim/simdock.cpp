#include "platform/sim/simdock.h"

#include "platform/applicationpreferences.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

namespace {

// The Dock's own window lies on this window level.
constexpr qint64 DockLayer = 20;
constexpr QSizeF TileSize(64, 48);
constexpr double TileMargin = 4;

} // namespace

SimDock::SimDock(SimDesktopParts &parts)
    : m_parts(parts)
{
}

bool SimDock::isRunning() const
{
    const SimProcess *dock = m_parts.world.process(m_pid);
    return dock && dock->bundleIdentifier == SimWorld::DockBundleIdentifier;
}

void SimDock::started(qint32 pid)
{
    m_pid = pid;
    const QVariantMap preferences = m_parts.world.preferences().value(ApplicationPreferences::DockDomain);
    const QVariant orientation = preferences.value(ApplicationPreferences::DockOrientationKey);
    const QString edge = orientation.typeId() == QMetaType::QString ? orientation.toString() : QString();
    m_edge = edge == QLatin1String("left") ? Edge::Left : edge == QLatin1String("right") ? Edge::Right : Edge::Bottom;
    const QVariant autohide = preferences.value(ApplicationPreferences::DockAutohideKey);
    m_autohide = autohide.typeId() == QMetaType::Bool && autohide.toBool();
    placeStrip(pid);
    m_parts.screens.refreshVisibleFrames();
}

void SimDock::ended(qint32 pid)
{
    if (pid != m_pid)
        return;
    m_pid = 0;
    m_parts.screens.refreshVisibleFrames();
}

bool SimDock::restart()
{
    if (!isRunning())
        return false;
    SimWorld &world = m_parts.world;
    SimProcess dock = *world.process(m_pid);
    QList<SimWindow> windows;
    for (quint32 number : dock.windowOrder)
        windows.prepend(*world.window(number)); // back to front, as they are added again
    m_parts.lifecycle.killProcess(dock.pid);
    m_parts.host.laterLocked(m_parts.knobs.dockRestartMs, [this, dock, windows]() mutable {
        // The system starts a new Dock: a new process with new windows.
        dock.pid = 0;
        dock.launchDateMs = 0;
        const qint32 pid = m_parts.lifecycle.addProcess(dock);
        if (pid == 0)
            return;
        for (SimWindow window : windows) {
            window.number = 0;
            window.ownerPid = pid;
            m_parts.lifecycle.addWindow(window);
        }
        placeStrip(pid);
    });
    return true;
}

QRectF SimDock::visibleFrame(const DisplayInfo &display, bool isMain) const
{
    constexpr double MenuBarHeight = 25;
    // In the screen convention y grows upwards: y is the bottom edge.
    QRectF visible = display.frame.adjusted(0, 0, 0, -MenuBarHeight);
    if (!isMain || !isRunning())
        return visible;
    const double strip = thickness();
    switch (m_edge) {
    case Edge::Bottom:
        visible.setY(visible.y() + strip);
        break;
    case Edge::Left:
        visible.setX(visible.x() + strip);
        break;
    case Edge::Right:
        visible.setWidth(visible.width() - strip);
        break;
    }
    return visible;
}

QRectF SimDock::tileFrame(const SimWindow &window) const
{
    const QList<DisplayInfo> &displays = m_parts.world.displays();
    const DisplayInfo *display = isRunning() && !displays.isEmpty() ? &displays.first()
                                                                    : m_parts.world.displayAt(window.bounds);
    const QRectF area = display ? display->bounds : window.bounds;
    const Edge edge = isRunning() ? m_edge : Edge::Bottom;
    switch (edge) {
    case Edge::Left:
        return QRectF(QPointF(area.left() + TileMargin, area.center().y() - TileSize.height() / 2), TileSize);
    case Edge::Right:
        return QRectF(QPointF(area.right() - TileSize.width() - TileMargin, area.center().y() - TileSize.height() / 2),
                      TileSize);
    case Edge::Bottom:
        break;
    }
    return QRectF(QPointF(area.center().x() - TileSize.width() / 2, area.bottom() - TileSize.height() - TileMargin),
                  TileSize);
}

void SimDock::placeStrip()
{
    if (isRunning())
        placeStrip(m_pid);
}

double SimDock::thickness() const
{
    return m_autohide ? m_parts.knobs.dockHiddenThickness : m_parts.knobs.dockThickness;
}

void SimDock::placeStrip(qint32 pid)
{
    SimWorld &world = m_parts.world;
    const SimProcess *dock = world.process(pid);
    if (!dock || world.displays().isEmpty())
        return;
    const QRectF area = world.displays().first().bounds;
    for (quint32 number : dock->windowOrder) {
        SimWindow *strip = world.window(number);
        if (strip->layer != DockLayer)
            continue;
        const double length = std::max(strip->bounds.width(), strip->bounds.height());
        const double depth = std::min(strip->bounds.width(), strip->bounds.height());
        QRectF placed;
        switch (m_edge) {
        case Edge::Bottom:
            placed = QRectF(area.center().x() - length / 2, area.bottom() - depth, length, depth);
            break;
        case Edge::Left:
            placed = QRectF(area.left(), area.center().y() - length / 2, depth, length);
            break;
        case Edge::Right:
            placed = QRectF(area.right() - depth, area.center().y() - length / 2, depth, length);
            break;
        }
        // A Dock that hides itself shows only when the pointer goes there.
        strip->visible = !m_autohide;
        m_parts.lifecycle.moveWindow(number, placed);
    }
}

} // namespace Velmora::Sim
