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

WrappedMenuRowLayout::WrappedMenuRowLayout(qreal textHeight)
    : m_textHeight(std::ceil(std::max(0.0, textHeight)))
{
}

QRectF WrappedMenuRowLayout::highlightRect(const QRectF &rowBounds)
{
    return rowBounds.adjusted(highlightInset, 0, -highlightInset, 0);
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
