#pragma once

#include "platform/sim/simoperations.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"
#include "services/windowpreviewprovider.h"

namespace Velmora::Test {

// A simulated desktop with one 1440 x 900 display, on a virtual clock, and
// the window listing on top of it.
struct ServicesWorld
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform{clock};
    Sim::SimDesktop &desktop = platform.desktop;
    Sim::SimAccessibility &accessibility = platform.accessibility;
    Sim::SimWindowList &windowList = platform.windowList;
    Sim::SimDisplays &displays = platform.displays;
    Sim::SimWorkspace &workspace = platform.workspace;
    Sim::SimPrivateFunctions &privateFunctions = platform.privateFunctions;
    Sim::SimScreenCapture &screenCapture = platform.screenCapture;

    ServicesWorld()
    {
        DisplayInfo display;
        display.displayId = 1;
        display.bounds = QRectF(0, 0, 1440, 900);
        desktop.setDisplays({display});
    }

    qint32 addApp(const QString &name, qint32 pid = 0)
    {
        Sim::SimProcess process;
        process.pid = pid;
        process.name = name;
        process.bundleIdentifier = QStringLiteral("com.example.") + name;
        process.launchDateMs = clock.wallClockMs();
        return desktop.addProcess(process);
    }

    quint32 addWindow(qint32 pid, const QRectF &bounds, const QString &title = QStringLiteral("Window"),
                      const std::function<void(Sim::SimWindow &)> &change = {})
    {
        Sim::SimWindow window;
        window.ownerPid = pid;
        window.bounds = bounds;
        window.title = title;
        if (change)
            change(window);
        return desktop.addWindow(window);
    }

    RunningApplication app(qint32 pid) const { return desktop.runningApplication(*desktop.process(pid)); }

    int callsTo(const QString &operation) const { return int(desktop.requests(operation).size()); }
};

// A fresh provider per test: the health of the private lookup is per instance.
struct ListingWorld : ServicesWorld
{
    WindowPreviewProvider provider{accessibility, windowList, privateFunctions, displays, workspace, clock};
};

} // namespace Velmora::Test
