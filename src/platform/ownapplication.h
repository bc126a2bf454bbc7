#pragma once

#include "platform/runningapplication.h"

namespace Velmora {

// This application as the desktop sees it: whether it has a Dock icon and a
// menu bar (its activation policy), and bringing it to the front. The bar is
// an accessory application; it becomes a regular one only while a window of
// its own needs a Dock icon to be found again (onboarding).
class OwnApplication
{
public:
    virtual ~OwnApplication();

    virtual ActivationPolicy activationPolicy() const = 0;
    // False when the desktop refuses the change.
    virtual bool setActivationPolicy(ActivationPolicy policy) = 0;
    // Makes this application the active one even while another is in front.
    virtual void activateIgnoringOtherApps() = 0;
};

} // namespace Velmora
