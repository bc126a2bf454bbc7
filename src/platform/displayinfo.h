#pragma once

#include <QRectF>
#include <QString>

namespace Velmora {

// One screen. `frame` and `visibleFrame` (the frame minus the menu bar and the
// Dock) use the screen convention: origin at the bottom left of the primary
// display, y up. `bounds` is the same area in the window-server convention:
// origin at the top left of the primary display, y down. All in points.
struct DisplayInfo {
    // 0 when the screen reports no number; callers skip such a screen.
    quint32 displayId = 0;
    QString name;
    QRectF frame;
    QRectF visibleFrame;
    QRectF bounds;
    double backingScaleFactor = 1.0;

    friend bool operator==(const DisplayInfo &, const DisplayInfo &) = default;
};

} // namespace Velmora
