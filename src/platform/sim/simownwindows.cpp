#include "platform/sim/simownwindows.h"

#include "platform/sim/simdesktop.h"

namespace Velmora::Sim {

namespace {

void apply(SimWindow &window, const OwnWindowState &state)
{
    window.title = state.title;
    window.layer = state.layer;
    window.bounds = state.frame;
    window.visible = state.visible;
    window.minimized = state.minimized;
    // Every Space shows the panels; the others open where the user is, and
    // this process's windows are never on another Space here.
    window.space = 0;
    // Panels and popovers have no title-bar buttons.
    const bool titled = state.layer == OwnWindowRegistry::NormalLayer;
    window.hasCloseButton = titled;
    window.hasMinimizeButton = titled;
    window.subrole = titled ? QStringLiteral("AXStandardWindow") : QStringLiteral("AXSystemFloatingWindow");
}

} // namespace

SimOwnWindows::SimOwnWindows(SimDesktop &desktop)
    : m_desktop(desktop)
{
}

quint32 SimOwnWindows::addWindow(const OwnWindowState &state)
{
    SimWindow window;
    window.ownerPid = m_desktop.selfPid();
    apply(window, state);
    return m_desktop.addWindow(window);
}

void SimOwnWindows::updateWindow(quint32 number, const OwnWindowState &state)
{
    if (isOwn(number))
        m_desktop.updateWindow(number, [&](SimWindow &window) { apply(window, state); });
}

void SimOwnWindows::orderFront(quint32 number)
{
    if (isOwn(number))
        m_desktop.raiseWindow(number);
}

void SimOwnWindows::removeWindow(quint32 number)
{
    if (isOwn(number))
        m_desktop.removeWindow(number);
}

bool SimOwnWindows::isOwn(quint32 number) const
{
    const std::optional<SimWindow> window = m_desktop.window(number);
    return window && window->ownerPid == m_desktop.selfPid();
}

} // namespace Velmora::Sim
