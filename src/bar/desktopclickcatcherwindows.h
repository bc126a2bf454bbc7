#pragma once

#include "bar/model/clickcatcherwindows.h"

#include <QList>
#include <QRect>

#include <memory>
#include <vector>

namespace Velmora {

class ClickCatcherWindow;
class Displays;

// The click catcher windows of the whole application, one per screen. They
// are built at the first show and kept for every later one; a change of the
// screens (added, removed, moved) builds them afresh at the next show.
//
// Where the window system cannot show a clear window (an X server without a
// compositing manager paints it black) no window is shown: a click on the
// desktop then still closes the popover through the click monitors, it
// merely reaches the desktop as well.
class DesktopClickCatcherWindows : public ClickCatcherWindows
{
public:
    // `canShowClearWindows` is asked at every show; empty asks the window system.
    explicit DesktopClickCatcherWindows(Displays &displays, std::function<bool()> canShowClearWindows = {});
    ~DesktopClickCatcherWindows() override;

    void show(std::function<void()> onClick) override;
    void hide() override;

    const std::vector<std::unique_ptr<ClickCatcherWindow>> &windows() const { return m_windows; }
    // The screens the windows were built for, in Qt's coordinates.
    const QList<QRect> &screenFrames() const { return m_screenFrames; }

private:
    QList<QRect> currentScreenFrames() const;

    Displays &m_displays;
    std::function<bool()> m_canShowClearWindows;
    std::vector<std::unique_ptr<ClickCatcherWindow>> m_windows;
    QList<QRect> m_screenFrames;
};

} // namespace Velmora
