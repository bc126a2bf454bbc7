#include "taskmanager/taskmanagerstyle.h"

#include "taskmanager/model/taskmanagerpalette.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace Velmora::TaskManagerStyle {

QFont font(qreal pixelSize, QFont::Weight weight)
{
    QFont f;
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setWeight(weight);
    return f;
}

void drawFittedText(
    QPainter &painter, const QRectF &rect, const QString &text, QFont font, qreal minimumScale, Qt::Alignment alignment)
{
    const int size = font.pixelSize();
    bool fits = false;
    for (int pixels = size; pixels >= qMax(1, qFloor(size * minimumScale)); --pixels) {
        font.setPixelSize(pixels);
        fits = QFontMetricsF(font).horizontalAdvance(text) <= rect.width();
        if (fits)
            break;
    }
    painter.setFont(font);
    // Laying the text out once more only to find it fits costs as much as
    // drawing it.
    painter.drawText(
        rect, int(alignment), fits ? text : QFontMetricsF(font).elidedText(text, Qt::ElideRight, rect.width()));
}

void fillRoundedRect(QPainter &painter, const QRectF &rect, qreal radius, const QColor &color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
}

void paintInBands(QPainter &painter, const QRegion &region, const std::function<void()> &paint)
{
    // Two spans a row at most for a thin line, one for a rectangle: well
    // below the size at which the engine starts sharing out the work.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int rows = std::max(1, int(40 / ratio));
    for (const QRect &rect : region) {
        for (int top = rect.top(); top <= rect.bottom(); top += rows) {
            painter.setClipRect(QRect(rect.left(), top, rect.width(), std::min(rows, rect.bottom() + 1 - top)));
            paint();
        }
    }
    painter.setClipping(false);
}

bool roundedPanel(QPixmap &picture, const QWidget &widget, qreal radius, const QColor &fill, const QColor &surround)
{
    const qreal ratio = widget.devicePixelRatioF();
    if (!picture.isNull() && picture.size() == widget.size() * ratio)
        return false;
    picture = QPixmap(widget.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(surround);
    QPainter painter(&picture);
    fillRoundedRect(painter, widget.rect(), radius, fill);
    return true;
}

QColor opaqueOver(const QColor &color, const QColor &background)
{
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(background);
    QPainter(&pixel).fillRect(pixel.rect(), color);
    return pixel.pixelColor(0, 0);
}

QLabel *label(const QString &text, const QFont &font, const QColor &color, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, color);
    l->setPalette(palette);
    return l;
}

void applyDarkPalette(QWidget *widget)
{
    using namespace TaskManagerPalette;
    QPalette p = widget->palette();
    const QColor text = primary();
    p.setColor(QPalette::Window, window());
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, window().lighter(115));
    p.setColor(QPalette::AlternateBase, window().lighter(125));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, sheet().lighter(120));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, accent());
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, sheet());
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, secondary());
    p.setColor(QPalette::Disabled, QPalette::Text, secondary());
    p.setColor(QPalette::Disabled, QPalette::ButtonText, secondary());
    p.setColor(QPalette::Disabled, QPalette::WindowText, secondary());
    widget->setPalette(p);
}

} // namespace Velmora::TaskManagerStyle
