#include "picker/cardsymbols.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Velmora::CardSymbols {

void draw(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color, qreal weight)
{
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    const QRectF box(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    // Coordinates below are on a 16-unit grid.
    const auto at = [&box, side](qreal x, qreal y) { return box.topLeft() + QPointF(x, y) * side / 16; };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color, std::max(1.0, side / 16 * 1.6 * weight), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    if (name == QLatin1String("xmark")) {
        painter.drawLine(at(3.5, 3.5), at(12.5, 12.5));
        painter.drawLine(at(12.5, 3.5), at(3.5, 12.5));
    } else if (name == QLatin1String("checkmark")) {
        QPainterPath path(at(3, 8.5));
        path.lineTo(at(6.5, 12));
        path.lineTo(at(13, 4));
        painter.drawPath(path);
    } else if (name == QLatin1String("pencil")) {
        // A slanted pencil: the shaft from the top right down to a point at
        // the bottom left.
        QPainterPath shaft(at(10.5, 2.5));
        shaft.lineTo(at(13.5, 5.5));
        shaft.lineTo(at(5.5, 13.5));
        shaft.lineTo(at(2.5, 13.5));
        shaft.lineTo(at(2.5, 10.5));
        shaft.closeSubpath();
        painter.drawPath(shaft);
        painter.drawLine(at(9, 4), at(12, 7));
    } else if (name == QLatin1String("minus.square")) {
        painter.drawRoundedRect(QRectF(at(2, 2), at(14, 14)), side * 0.16, side * 0.16);
        painter.drawLine(at(5, 8), at(11, 8));
    }
    painter.restore();
}

} // namespace Velmora::CardSymbols
