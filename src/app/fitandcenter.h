#pragma once

#include "platform/displayinfo.h"

#include <optional>

class QWidget;

namespace Velmora {

// Places one of the application's own windows (settings, Task Manager,
// onboarding) on `screen`: centred above the bar, shrunk to fit, never
// grown. Nothing happens without a screen. `primaryHeight` is the primary
// display's height, which maps the screen convention to Qt's.
void fitAndCenter(QWidget &window, const std::optional<DisplayInfo> &screen, double primaryHeight);

} // namespace Velmora
