#pragma once

#include "platform/sim/simaccessibility.h"
#include "platform/sim/simapplicationpreferences.h"
#include "platform/sim/simchildprocesses.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simdisplays.h"
#include "platform/sim/simdistributednotifications.h"
#include "platform/sim/simeventtaps.h"
#include "platform/sim/simfavoritefolders.h"
#include "platform/sim/simownapplication.h"
#include "platform/sim/simownwindows.h"
#include "platform/sim/simprivatefunctions.h"
#include "platform/sim/simrelauncher.h"
#include "platform/sim/simscreencapture.h"
#include "platform/sim/simstatusitem.h"
#include "platform/sim/simwindowlist.h"
#include "platform/sim/simworkspace.h"

namespace Velmora::Sim {

class VirtualClock;

// The simulated desktop with every platform interface on top of it, for
// tests and for the application on Linux.
class SimPlatform
{
public:
    // On a virtual clock: waits for busy applications move the clock.
    explicit SimPlatform(VirtualClock &clock);
    // On any clock: `blockingWait` spends the time a caller waits for a busy application.
    SimPlatform(Clock &clock, Scheduler &scheduler, SimDesktop::BlockingWait blockingWait);

    SimDesktop desktop;
    SimAccessibility accessibility{access()};
    SimWindowList windowList{access()};
    SimDisplays displays{access()};
    SimWorkspace workspace{access()};
    SimPrivateFunctions privateFunctions{access()};
    SimEventTaps eventTaps{access()};
    SimScreenCapture screenCapture{access()};
    SimApplicationPreferences applicationPreferences{access()};
    SimDistributedNotifications distributedNotifications{access()};
    SimFavoriteFolders favoriteFolders{desktop};
    SimOwnWindows ownWindows{desktop};
    SimOwnApplication ownApplication{access()};
    SimStatusItem statusItem;
    SimChildProcesses childProcesses{access()};
    SimRelauncher relauncher{access()};

private:
    // Only the interfaces built here reach behind the desktop's lock.
    SimDesktopAccess access() { return SimDesktopAccess(desktop); }
};

} // namespace Velmora::Sim
