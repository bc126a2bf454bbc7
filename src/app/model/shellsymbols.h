#pragma once

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <QString>

class QPainter;

namespace Velmora::ShellSymbols {

// The symbols of the status menu and the settings page, drawn in code so
// they look the same on every desktop: "sparkles", "gearshape",
// "arrow.down.circle", "arrow.clockwise", "power", "checkmark.circle.fill"
// and "xmark.circle.fill". Draws nothing for another name.
void draw(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color);
bool isKnown(const QString &name);

// A symbol as an icon that draws itself at any size, in `color`.
QIcon icon(const QString &name, const QColor &color);

} // namespace Velmora::ShellSymbols
