#pragma once

#include "platform/displayinfo.h"

class QPainter;

namespace Velmora::Sim {
class SimDesktop;
}

namespace Velmora::SimView {

// What one display of the simulated desktop shows: the desktop picture, the
// windows of other applications on it in their stacking order (minimized,
// hidden and ordered-out windows are not drawn, nor are this application's
// own windows, which are real windows of their own), the Dock's strip and
// the front application's menu bar along the top.
class DesktopScene
{
public:
    static constexpr double menuBarHeight = 25;

    // Paints `display` with the painter's origin at the display's top-left corner.
    static void paint(QPainter &painter, const Sim::SimDesktop &desktop, const DisplayInfo &display);

private:
    static void paintWallpaper(QPainter &painter, const QRectF &area);
};

} // namespace Velmora::SimView
