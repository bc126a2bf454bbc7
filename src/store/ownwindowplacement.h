#pragma once

#include "platform/displayinfo.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

namespace Velmora::OwnWindowPlacement {

// Every display's bar is this tall; the product's own windows stay above it.
inline constexpr double taskbarHeight = 57.0;

// The screen's visible frame without the bar's strip. The strip only counts
// where the visible frame does not already leave it out (a Dock at the bottom).
QRectF barFreeArea(const DisplayInfo &screen);

// The screen under the pointer (edges count as inside, as the pointer can
// rest on the last pixel), else the main screen.
std::optional<DisplayInfo> screenUnderPointer(
    const QList<DisplayInfo> &screens, const QPointF &pointer, const std::optional<DisplayInfo> &mainScreen);

// A window of `size` centred in the screen's bar-free area, shrunk to fit it.
QRectF fitAndCenter(const QSizeF &size, const DisplayInfo &screen);

// The frame of a window grown to `wantedHeight` (clamped to the area): the
// top edge stays, the window is kept inside the area. Nothing when it would
// not grow by more than half a point, so a window never shrinks or jitters.
std::optional<QRectF> grownToHeight(const QRectF &frame, double wantedHeight, const QRectF &area);

} // namespace Velmora::OwnWindowPlacement
