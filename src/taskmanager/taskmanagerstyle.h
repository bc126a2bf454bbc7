#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QLabel;
class QPainter;
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
// A line of plain text in a font and colour.
QLabel *label(const QString &text, const QFont &font, const QColor &color, QWidget *parent);
// The dark palette of the window and its alerts.
void applyDarkPalette(QWidget *widget);

} // namespace Velmora::TaskManagerStyle
