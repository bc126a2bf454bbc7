#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QRegion>

#include <functional>

class QLabel;
class QPainter;
class QPixmap;
class QWidget;

// Fonts and shapes shared by the Task Manager's widgets. Sizes are in
// device-independent pixels, which is what the layout is measured in.
namespace Velmora::TaskManagerStyle {

QFont font(qreal pixelSize, QFont::Weight weight = QFont::Normal);
// A line of text drawn in `rect`, shrunk down to `minimumScale` of its size
// before it is elided at the end.
void drawFittedText(QPainter &painter, const QRectF &rect, const QString &text, QFont font, qreal minimumScale,
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
void fillRoundedRect(QPainter &painter, const QRectF &rect, qreal radius, const QColor &color);
// Keeps `picture` as a rounded rectangle of `fill` with `surround` around its
// corners, the size of `widget`, for a widget that copies it on each repaint
// and is then opaque. Returns whether it was drawn again, for the caller to
// draw the rest of what stays the same onto it.
bool roundedPanel(QPixmap &picture, const QWidget &widget, qreal radius, const QColor &fill, const QColor &surround);
// The opaque colour that the translucent `color` shows as over the opaque
// `background`, blended by the raster engine itself so it matches a
// translucent fill to the last bit. Qt blends an opaque fill in place and
// hands a large translucent one to its thread pool, waking its threads.
QColor opaqueOver(const QColor &color, const QColor &background);
// Calls `paint` once for each band of a few rows of `region`, with the
// painter clipped to that band, and leaves the painter unclipped. Qt's raster
// engine hands a translucent fill of more than about a hundred spans to its
// thread pool and waits for it: waking those threads each second costs more
// than the fill itself, and a band's fill stays below that size. Drawing is
// the same in bands as at once.
void paintInBands(QPainter &painter, const QRegion &region, const std::function<void()> &paint);
// A line of plain text in a font and colour.
QLabel *label(const QString &text, const QFont &font, const QColor &color, QWidget *parent);
// The dark palette of the window and its alerts.
void applyDarkPalette(QWidget *widget);

} // namespace Velmora::TaskManagerStyle
