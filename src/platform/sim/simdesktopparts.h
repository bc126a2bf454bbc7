#pragma once

#include "platform/sim/simaccessibilityregistry.h"
#include "platform/sim/simactivation.h"
#include "platform/sim/simdock.h"
#include "platform/sim/simfailures.h"
#include "platform/sim/siminput.h"
#include "platform/sim/simknobs.h"
#include "platform/sim/simlifecycle.h"
#include "platform/sim/simrequestlog.h"
#include "platform/sim/simscreens.h"
#include "platform/sim/simsettingspane.h"
#include "platform/sim/simspaces.h"
#include "platform/sim/simwindowtransitions.h"
#include "platform/sim/simworld.h"

namespace Velmora::Sim {

class SimHost;

// Everything behind SimDesktop's lock, one part per concern. The parts reach
// each other through this; each of their member functions runs with the lock
// held.
struct SimDesktopParts {
    explicit SimDesktopParts(SimHost &host)
        : host(host)
    {
    }
    SimDesktopParts(const SimDesktopParts &) = delete;
    SimDesktopParts &operator=(const SimDesktopParts &) = delete;

    SimHost &host;
    SimKnobs knobs;
    SimWorld world;
    SimRequestLog log;
    SimFailures failures;
    SimAccessibilityRegistry registry{*this};
    SimInput input;
    SimActivation activation{*this};
    SimLifecycle lifecycle{*this};
    SimWindowTransitions transitions{*this};
    SimScreens screens{*this};
    SimDock dock{*this};
    SimSpaces spaces{*this};
    SimSettingsPane settingsPane{*this};
};

} // namespace Velmora::Sim
