#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace Velmora::CardSymbols {

// The small line symbols of the window cards, drawn in code so they look the
// same on every desktop: "xmark", "pencil", "checkmark" and "minus.square".
// Each fills the square of `rect`'s shorter side, centred; `weight` scales
// the stroke (1 regular, about 1.5 bold). Draws nothing for another name.
void draw(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color, qreal weight = 1);

} // namespace Velmora::CardSymbols
