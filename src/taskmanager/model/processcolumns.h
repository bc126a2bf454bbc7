#pragma once

#include "taskmanager/model/processsort.h"

#include <QList>
#include <QRectF>

namespace Velmora::ProcessColumns {

// The process list's columns, shared by the header and the rows: Name takes
// what is left, the others have fixed widths, 12 points apart, inside 12
// points of padding at either end.
inline constexpr double padding = 12;
inline constexpr double spacing = 12;

struct Cell
{
    ProcessSort column;
    QRectF rect;
};

// The five cells in order (Name, PID, User, CPU, Memory) across `row`.
QList<Cell> layout(const QRectF &row);
// The column whose cell holds x, if any.
std::optional<ProcessSort> columnAt(const QRectF &row, double x);

} // namespace Velmora::ProcessColumns
