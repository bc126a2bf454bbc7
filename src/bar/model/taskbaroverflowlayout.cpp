#include "bar/model/taskbaroverflowlayout.h"

#include <algorithm>

namespace Velmora {

int TaskbarOverflowLayout::columns(int count)
{
    return std::clamp(count, 1, maxColumns);
}

int TaskbarOverflowLayout::rows(int count)
{
    if (count <= 0)
        return 0;
    const int c = columns(count);
    return (count + c - 1) / c;
}

QSizeF TaskbarOverflowLayout::contentSize(int count)
{
    auto span = [](int cells) { return cells > 0 ? cells * cellSide + (cells - 1) * spacing : 0; };
    return QSizeF(span(columns(count)) + 2 * inset, span(rows(count)) + 2 * inset);
}

QRectF TaskbarOverflowLayout::cellRect(int index, int count)
{
    const int c = columns(count);
    const int row = index / c;
    const int column = index % c;
    return QRectF(inset + column * (cellSide + spacing), inset + row * (cellSide + spacing), cellSide, cellSide);
}

} // namespace Velmora
