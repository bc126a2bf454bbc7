#pragma once

#include <QRectF>
#include <QSizeF>

namespace Velmora {

// The overflow flyout's grid: up to five 44-point cells a row, 4 points
// apart, rows filled left to right and top to bottom, 10 points of inset all
// round. A partly filled last row starts at the left.
class TaskbarOverflowLayout
{
public:
    static constexpr qreal cellSide = 44;
    static constexpr qreal spacing = 4;
    static constexpr qreal inset = 10;
    static constexpr qreal iconSide = 34;
    static constexpr int maxColumns = 5;

    // min(count, 5); one column even for an empty list.
    static int columns(int count);
    static int rows(int count);
    // The flyout's content size for `count` apps: one app 64 by 64, five
    // 256 by 64, seven 256 by 112.
    static QSizeF contentSize(int count);
    // The frame of cell `index` inside the content.
    static QRectF cellRect(int index, int count);
};

} // namespace Velmora
