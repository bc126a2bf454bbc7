#pragma once

#include "platform/displayinfo.h"

#include <QList>

namespace Velmora::Sim {

struct SimDesktopParts;

// The displays of the simulated desktop: their frames in both conventions
// and the visible frame that the menu bar and the Dock leave. When the displays change,
// the windows go along with their display (matched by id), and the windows of
// a display that is gone move to the main one, as on the modelled desktop.
class SimScreens
{
public:
    explicit SimScreens(SimDesktopParts &parts);

    // Displays come with their bounds (top-left origin, y down); the first is
    // the primary display.
    void setDisplays(const QList<DisplayInfo> &displays);
    // Works the visible frames out again (the Dock moved, came or went).
    void refreshVisibleFrames();

private:
    void moveWindowsAlong(const QList<DisplayInfo> &before, const QList<DisplayInfo> &after);

    SimDesktopParts &m_parts;
};

} // namespace Velmora::Sim
