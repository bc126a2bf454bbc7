#include "simview/menubarstatusitem.h"

#include "platform/sim/simstatusitem.h"

#include <QPainter>
#include <QPixmap>

namespace Velmora::SimView {

QRectF MenuBarStatusItem::slot(double barWidth, double barHeight)
{
    return QRectF(barWidth - rightMargin - slotWidth, 0, slotWidth, barHeight);
}

void MenuBarStatusItem::paint(QPainter &painter, const Sim::SimStatusItem &item, double barWidth, double barHeight)
{
    if (!item.isInstalled())
        return;
    const QRectF area = slot(barWidth, barHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (item.isHighlighted()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 40));
        painter.drawRoundedRect(area.adjusted(1, 2, -1, -2), 4, 4);
    }
    // The mark is a mask: tint it with the bar's text colour.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pixels = qRound(markSize * ratio);
    QPixmap mark = item.image().pixmap(QSize(pixels, pixels));
    if (!mark.isNull()) {
        QImage tinted = mark.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter tint(&tinted);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(tinted.rect(), QColor(20, 20, 24));
        tint.end();
        tinted.setDevicePixelRatio(ratio);
        const QRectF target(area.center() - QPointF(markSize / 2, markSize / 2), QSizeF(markSize, markSize));
        painter.drawImage(target, tinted);
    }
    painter.restore();
}

} // namespace Velmora::SimView
