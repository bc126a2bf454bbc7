#include "startmenu/model/startmenulayout.h"

#include <algorithm>
#include <cmath>

namespace Velmora::StartMenuLayout {

qreal menuHeight(const std::optional<DisplayInfo> &screen)
{
    if (!screen)
        return fallbackHeight;
    // Screen frames are y-up: a rectangle's top edge is y + height.
    const QRectF &frame = screen->frame;
    const QRectF &visible = screen->visibleFrame;
    const qreal available = visible.y() + visible.height() - (frame.y() + barHeight) - topMargin;
    const qreal cap = std::max(leastCap, frame.height() * 0.5);
    return std::max<qreal>(0, std::floor(std::min(available, cap)));
}

qreal menuHeight(quint32 displayID, const QList<DisplayInfo> &screens)
{
    for (const DisplayInfo &screen : screens) {
        if (screen.displayId == displayID)
            return menuHeight(screen);
    }
    return menuHeight(std::nullopt);
}

namespace {

qreal columnWidth(qreal gridWidth)
{
    return std::max<qreal>(0, (gridWidth - pinnedSpacing * (pinnedColumns - 1)) / pinnedColumns);
}

} // namespace

qreal pinnedTileSide(qreal gridWidth)
{
    const qreal icon = std::clamp(columnWidth(gridWidth) - 2 * pinnedTilePadding, qreal(0), pinnedIconMax);
    return icon + 2 * pinnedTilePadding;
}

QRectF pinnedTileRect(qsizetype index, qreal gridWidth)
{
    if (index < 0)
        return {};
    const qreal column = columnWidth(gridWidth);
    const qreal side = pinnedTileSide(gridWidth);
    const qsizetype row = index / pinnedColumns;
    const qsizetype col = index % pinnedColumns;
    const qreal x = col * (column + pinnedSpacing) + (column - side) / 2;
    const qreal y = row * (side + pinnedSpacing);
    return {x, y, side, side};
}

qreal pinnedGridHeight(qsizetype count, qreal gridWidth)
{
    if (count <= 0)
        return 0;
    const qsizetype rows = (count + pinnedColumns - 1) / pinnedColumns;
    return rows * pinnedTileSide(gridWidth) + (rows - 1) * pinnedSpacing;
}

} // namespace Velmora::StartMenuLayout
