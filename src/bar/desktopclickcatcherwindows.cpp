#include "bar/desktopclickcatcherwindows.h"

#include "bar/clickcatcherwindow.h"
#include "platform/displays.h"
#include "bar/windowsystemcompositing.h"
#include "platform/screencoordinates.h"

#include <utility>

namespace Velmora {

DesktopClickCatcherWindows::DesktopClickCatcherWindows(Displays &displays, std::function<bool()> canShowClearWindows)
    : m_displays(displays)
    , m_canShowClearWindows(std::move(canShowClearWindows))
{
    if (!m_canShowClearWindows)
        m_canShowClearWindows = &WindowSystemCompositing::isActive;
}

DesktopClickCatcherWindows::~DesktopClickCatcherWindows() = default;

QList<QRect> DesktopClickCatcherWindows::currentScreenFrames() const
{
    const QList<DisplayInfo> screens = m_displays.screens();
    QList<QRect> frames;
    if (screens.isEmpty())
        return frames;
    // The primary display (the first) anchors the flip into Qt's coordinates.
    const ScreenCoordinates coordinates(screens.first().frame.height());
    for (const DisplayInfo &screen : screens)
        frames.append(coordinates.toQt(screen.frame));
    return frames;
}

void DesktopClickCatcherWindows::setDrawnDesktop(ClickCatcherWindows *desktop)
{
    if (m_isDrawnDesktopCatching && m_drawnDesktop)
        m_drawnDesktop->hide();
    m_isDrawnDesktopCatching = false;
    m_drawnDesktop = desktop;
}

void DesktopClickCatcherWindows::show(std::function<void()> onClick)
{
    if (!m_canShowClearWindows()) {
        if (m_drawnDesktop) {
            m_isDrawnDesktopCatching = true;
            m_drawnDesktop->show(std::move(onClick));
        }
        return;
    }
    const QList<QRect> frames = currentScreenFrames();
    if (frames != m_screenFrames) {
        for (const auto &window : m_windows)
            window->hide();
        m_windows.clear();
        for (const QRect &frame : frames)
            m_windows.push_back(std::make_unique<ClickCatcherWindow>(frame));
        m_screenFrames = frames;
    }
    for (const auto &window : m_windows) {
        window->onClick = onClick;
        window->show();
        window->raise();
    }
}

void DesktopClickCatcherWindows::hide()
{
    for (const auto &window : m_windows) {
        window->hide();
        window->onClick = {};
    }
    if (std::exchange(m_isDrawnDesktopCatching, false) && m_drawnDesktop)
        m_drawnDesktop->hide();
}

} // namespace Velmora
