#pragma once

#include "services/appexpose.h"
#include "services/siblingraiseguard.h"
#include "services/watchthreads.h"
#include "services/windowpreviewprovider.h"
#include "desktopworld.h" // by its own folder: benchmarks include this file too
#include "watchlockstep.h"

namespace Velmora::Test {

// The simulated desktop with the sibling-raise guard on top of it; the
// guard's watches run on their own threads in lockstep with the virtual
// clock (`lockstep.advance`).
struct GuardWorld : DesktopWorld
{
    WindowPreviewProvider provider { accessibility, windowList, privateFunctions, displays, workspace, clock };
    AppExpose expose { privateFunctions, clock };
    WatchThreads threads { clock, clock };
    SiblingRaiseGuard guard { { accessibility, windowList, workspace, eventTaps, expose, provider, threads } };
    WatchLockstep lockstep { clock, threads };

    AXElement windowElement(quint32 number) { return desktop.windowElement(number); }
    // The on-screen stack, front to back.
    QList<quint32> stack() const { return listed(WindowList::OnScreenExceptDesktop); }
    int raisesOf(quint32 number) const
    {
        int count = 0;
        for (const Sim::SimRequest &request : desktop.requests(Sim::SimOperations::PerformAction)) {
            if (request.name == QLatin1String("AXRaise") && request.detail.toUInt() == number)
                ++count;
        }
        return count;
    }
};

} // namespace Velmora::Test
