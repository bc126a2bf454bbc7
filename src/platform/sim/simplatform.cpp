#include "platform/sim/simplatform.h"

#include "platform/sim/virtualclock.h"

namespace Velmora::Sim {

SimPlatform::SimPlatform(VirtualClock &clock)
    : desktop(clock)
{
}

SimPlatform::SimPlatform(Clock &clock, Scheduler &scheduler, SimDesktop::BlockingWait blockingWait)
    : desktop(clock, scheduler, std::move(blockingWait))
{
}

} // namespace Velmora::Sim
