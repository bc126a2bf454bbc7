#include "bar/model/wrappedmenurowlayout.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace Velmora {

qreal WrappedMenuRowLayout::textHeight(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QRectF needed = metrics.boundingRect(QRectF(0, 0, textWidth, 10000), Qt::TextWordWrap, text);
    return std::ceil(needed.height());
}

WrappedMenuRowLayout::WrappedMenuRowLayout(qreal textHeight, qreal firstLineHeight, Columns columns)
    : m_textHeight(std::ceil(std::max(0.0, textHeight)))
    , m_firstLineHeight(std::max(0.0, firstLineHeight))
    , m_columns(columns)
{
}

QSizeF WrappedMenuRowLayout::rowSize() const
{
    return { m_columns.textLeft + textWidth + rightMargin, m_textHeight + 2 * textTop };
}

QRectF WrappedMenuRowLayout::textRect() const
{
    return { m_columns.textLeft, textTop, textWidth, m_textHeight };
}

QRectF WrappedMenuRowLayout::iconRect() const
{
    // Centred on the first line, so it sits where an ordinary item's icon would.
    const qreal top = textTop + (m_firstLineHeight - m_columns.iconSide) / 2;
    return { m_columns.iconLeft, std::round(top), m_columns.iconSide, m_columns.iconSide };
}

bool WrappedMenuRowLayout::isHighlighted(bool hasItem, bool isCurrent, bool isEnabled)
{
    return hasItem && isCurrent && isEnabled;
}

WrappedMenuRowLayout::TextLook WrappedMenuRowLayout::textLook(bool hasItem, bool isCurrent, bool isEnabled)
{
    if (isHighlighted(hasItem, isCurrent, isEnabled))
        return TextLook::Selected;
    if (!hasItem || isEnabled)
        return TextLook::Normal;
    return TextLook::Disabled;
}

} // namespace Velmora
