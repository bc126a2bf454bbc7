#pragma once

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

namespace Velmora::TaskManagerSymbols {

// The small line symbols of the Task Manager, drawn in code so they look the
// same on every desktop: "cpu", "memorychip", "internaldrive", "network",
// "magnifyingglass", "xmark", "xmark.circle.fill", "chevron.up",
// "chevron.down" and "gearshape". Draws nothing for another name.
void draw(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color);
bool isKnown(const QString &name);

// A symbol as an icon that draws itself at any size.
QIcon icon(const QString &name, const QColor &color);
// An icon named `name` that `draw` paints into the rectangle asked for, at
// any size; for symbols drawn in code elsewhere.
QIcon drawnIcon(const QString &name, std::function<void(QPainter &, const QRectF &)> draw);

} // namespace Velmora::TaskManagerSymbols
