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
// compositing manager paints it black) no window is shown; a drawn desktop,
// when there is one, catches the click itself instead, so the click still
// closes the popover and does not reach the desktop.
class DesktopClickCatcherWindows : public ClickCatcherWindows
{
public:
    // `canShowClearWindows` is asked at every show; empty asks the window system.
    explicit DesktopClickCatcherWindows(Displays &displays, std::function<bool()> canShowClearWindows = {});
    ~DesktopClickCatcherWindows() override;

    void show(std::function<void()> onClick) override;
    void hide() override;

    // What catches the click where clear windows cannot be shown; none by
    // default. It must outlive its use here or be unset first.
    void setDrawnDesktop(ClickCatcherWindows *desktop);

    const std::vector<std::unique_ptr<ClickCatcherWindow>> &windows() const { return m_windows; }
    // The screens the windows were built for, in Qt's coordinates.
    const QList<QRect> &screenFrames() const { return m_screenFrames; }

private:
    QList<QRect> currentScreenFrames() const;

    Displays &m_displays;
    std::function<bool()> m_canShowClearWindows;
    ClickCatcherWindows *m_drawnDesktop = nullptr;
    bool m_isDrawnDesktopCatching = false;
    std::vector<std::unique_ptr<ClickCatcherWindow>> m_windows;
    QList<QRect> m_screenFrames;
};

} // namespace Velmora
