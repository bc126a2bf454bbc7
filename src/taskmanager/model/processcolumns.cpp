#include "taskmanager/model/processcolumns.h"

namespace Velmora::ProcessColumns {

QList<Cell> layout(const QRectF &row)
{
    static const std::pair<ProcessSort, double> fixed[] = { { ProcessSort::Pid, 65 }, { ProcessSort::Owner, 110 },
        { ProcessSort::Cpu, 95 }, { ProcessSort::Memory, 110 } };
    double fixedWidth = 0;
    for (const auto &[column, width] : fixed)
        fixedWidth += width + spacing;
    const double inner = row.width() - 2 * padding;
    const double nameWidth = std::max(0.0, inner - fixedWidth);
    QList<Cell> cells;
    double x = row.left() + padding;
    cells.append({ ProcessSort::Name, QRectF(x, row.top(), nameWidth, row.height()) });
    x += nameWidth + spacing;
    for (const auto &[column, width] : fixed) {
        cells.append({ column, QRectF(x, row.top(), width, row.height()) });
        x += width + spacing;
    }
    return cells;
}

std::optional<ProcessSort> columnAt(const QRectF &row, double x)
{
    const QList<Cell> cells = layout(row);
    for (const Cell &cell : cells) {
        // A click in the gap before a cell belongs to it, so the whole row is clickable.
        if (x < cell.rect.right() + spacing / 2)
            return cell.column;
    }
    return cells.isEmpty() ? std::nullopt : std::optional(cells.last().column);
}

} // namespace Velmora::ProcessColumns
