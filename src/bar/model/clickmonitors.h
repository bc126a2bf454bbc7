#pragma once

#include <functional>
#include <memory>

class QWindow;

namespace Velmora {

// Watching mouse presses anywhere, without taking them: in other
// applications (through the desktop's event tap) and in this application's
// own windows. A popover closes on them. Main thread only.
class ClickMonitors
{
public:
    // A running monitor; destroying it removes the monitor, and its callback
    // never runs after that.
    class Monitor
    {
    public:
        virtual ~Monitor();
    };
    using Token = std::unique_ptr<Monitor>;

    virtual ~ClickMonitors();

    // Any mouse-down in another application.
    virtual Token watchOtherApplications(std::function<void()> onClick) = 0;
    // Any mouse-down in this application's windows, with the window it
    // happened in (null when none). A monitor added while a press is being
    // handled first hears the next one.
    virtual Token watchApplication(std::function<void(const QWindow *window)> onClick) = 0;
};

} // namespace Velmora
