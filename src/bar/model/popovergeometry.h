#pragma once

#include <QRectF>
#include <QSizeF>
#include <Qt>

namespace Velmora {

// Where a flyout window goes: centred on its anchor along the anchor's edge,
// a small gap off it, and kept inside the anchor's screen.
class PopoverGeometry
{
public:
    // Between the anchor and the window: a bar button sits 6 points below
    // the bar's top, so a flyout floats a few points above the bar.
    static constexpr qreal anchorGap = 12;
    // The least room kept between the window and the screen's edges.
    static constexpr qreal screenMargin = 4;
    static constexpr qreal cornerRadius = 10;

    // The window's frame for `contentSize` at `edge` of `anchor`, all in
    // global coordinates (top-left origin, y down); `screen` is the frame of
    // the anchor's screen (empty: no limit).
    static QRectF frame(const QRectF &anchor, const QSizeF &contentSize, Qt::Edge edge, const QRectF &screen);
};

} // namespace Velmora
