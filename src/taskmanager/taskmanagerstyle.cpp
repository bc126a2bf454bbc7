#include "taskmanager/taskmanagerstyle.h"

#include "taskmanager/model/taskmanagerpalette.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
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
    for (int pixels = size; pixels >= qMax(1, qFloor(size * minimumScale)); --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text) <= rect.width())
            break;
    }
    painter.setFont(font);
    painter.drawText(rect, int(alignment), QFontMetricsF(font).elidedText(text, Qt::ElideRight, rect.width()));
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
