#pragma once

#include <functional>

namespace Velmora {

// The transparent windows over the bare desktop of every screen that catch
// a click there while a popover is open, so the click closes the popover and
// does not reach the desktop. One set for the whole application: the popover
// that shows them last receives their clicks.
class ClickCatcherWindows
{
public:
    virtual ~ClickCatcherWindows();

    // Puts a window on every screen; a click on any of them runs `onClick`.
    virtual void show(std::function<void()> onClick) = 0;
    // Takes them all away; later clicks reach the desktop again.
    virtual void hide() = 0;
};

} // namespace Velmora
