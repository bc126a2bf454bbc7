#include "platform/sim/simownapplication.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimOwnApplication::SimOwnApplication(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

ActivationPolicy SimOwnApplication::activationPolicy() const
{
    const std::optional<SimProcess> self = m_desktop.process(m_desktop.selfPid());
    // The desktop lists this process as an accessory until told otherwise.
    return self ? self->policy : ActivationPolicy::Accessory;
}

bool SimOwnApplication::setActivationPolicy(ActivationPolicy policy)
{
    const qint32 self = m_desktop.selfPid();
    if (m_world.refuses(SimOperations::SetActivationPolicy, {}, self, int(policy)))
        return false;
    m_desktop.updateProcess(self, [policy](SimProcess &process) { process.policy = policy; });
    return true;
}

void SimOwnApplication::activateIgnoringOtherApps()
{
    m_world.log(SimOperations::ActivateIgnoringOtherApps, m_desktop.selfPid(), {});
}

} // namespace Velmora::Sim
