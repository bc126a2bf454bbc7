#pragma once

#include "platform/displayinfo.h"

namespace Velmora::Test {

// A display as the simulated desktop takes it: its number and its bounds
// (top-left origin, y down); the desktop derives the frames from them.
inline DisplayInfo display(quint32 id, const QRectF &bounds)
{
    DisplayInfo info;
    info.displayId = id;
    info.bounds = bounds;
    return info;
}

} // namespace Velmora::Test
