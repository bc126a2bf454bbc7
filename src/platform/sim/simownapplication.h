#pragma once

#include "platform/ownapplication.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// This process on the simulated desktop: its policy is the policy of the
// desktop's own process (so the drawn Dock shows its tile while it is a
// regular application). Every change is logged
// (SimOperations::SetActivationPolicy with the policy's number as the
// detail, SimOperations::ActivateIgnoringOtherApps); a policy change fails
// when a test injects a failure.
class SimOwnApplication final : public OwnApplication
{
public:
    explicit SimOwnApplication(SimDesktopAccess world);

    ActivationPolicy activationPolicy() const override;
    bool setActivationPolicy(ActivationPolicy policy) override;
    void activateIgnoringOtherApps() override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
