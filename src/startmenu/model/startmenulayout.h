#pragma once

#include "platform/displayinfo.h"

#include <QList>
#include <QRectF>

#include <optional>

namespace Velmora::StartMenuLayout {

// The panel: the app list on the left, a hairline, the sidebar on the right.
inline constexpr qreal width = 680;
inline constexpr qreal listColumnWidth = 320;
inline constexpr qreal dividerWidth = 1;
inline constexpr qreal sidebarWidth = width - listColumnWidth - dividerWidth;
// Height when the display the menu belongs to is gone.
inline constexpr qreal fallbackHeight = 700;
// The bar's strip and a margin above it stay free of the menu.
inline constexpr qreal barHeight = 57;
inline constexpr qreal topMargin = 24;
// The menu may take half a tall screen, and this much on a small one.
inline constexpr qreal leastCap = 420;

// The search row.
inline constexpr qreal searchInset = 20;
inline constexpr qreal searchHeight = 30;
inline constexpr qreal listSpacing = 12;

// The pinned grid.
inline constexpr int pinnedColumns = 4;
inline constexpr qreal pinnedSpacing = 14;
inline constexpr qreal pinnedIconMax = 64;
inline constexpr qreal pinnedTilePadding = 4;

// The menu's height above the bar of `screen`: the room between the bar's
// strip (and a margin) and the top of the visible frame, at most half the
// screen (never less than leastCap), in whole points. Never below zero,
// however small the visible frame. No screen: fallbackHeight.
qreal menuHeight(const std::optional<DisplayInfo> &screen);
// The same for the display `displayID` among `screens`.
qreal menuHeight(quint32 displayID, const QList<DisplayInfo> &screens);

// The rectangle of tile `index` in a pinned grid `gridWidth` wide, laid out
// row by row in four columns; each tile is centred in its column. Empty for
// a negative index.
QRectF pinnedTileRect(qsizetype index, qreal gridWidth);
// A tile's side in a grid `gridWidth` wide.
qreal pinnedTileSide(qreal gridWidth);
// The height of a grid of `count` tiles.
qreal pinnedGridHeight(qsizetype count, qreal gridWidth);

} // namespace Velmora::StartMenuLayout
