#pragma once

#include "services/windowpreviewprovider.h"
#include "desktopworld.h" // by its own folder: benchmarks include this file too

namespace Velmora::Test {

// The services' tests know the simulated desktop fixture by this name.
using ServicesWorld = DesktopWorld;

// A fresh provider per test: the health of the private lookup is per instance.
struct ListingWorld : DesktopWorld
{
    WindowPreviewProvider provider{accessibility, windowList, privateFunctions, displays, workspace, clock};
};

} // namespace Velmora::Test
