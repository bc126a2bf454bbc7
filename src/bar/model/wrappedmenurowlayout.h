#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QFont;

namespace Velmora {

// The geometry and look of a menu row that shows a wrapped title over
// several lines like an ordinary menu item: the symbol at the left, level
// with the first line, and the text in the column ordinary items use.
// Coordinates have their origin at the row's top left, y down.
class WrappedMenuRowLayout
{
public:
    static constexpr qreal rowWidth = 416;
    static constexpr qreal textLeft = 38;
    static constexpr qreal textTop = 6;
    static constexpr qreal textWidth = 360;
    static constexpr qreal iconLeft = 17;
    static constexpr qreal iconTop = 9;
    static constexpr qreal iconSide = 14;
    // The selection is inset from the menu's edges and rounded.
    static constexpr qreal highlightInset = 4;
    static constexpr qreal highlightRadius = 4;

    enum class TextLook {
        Selected, // the highlighted row: the selected menu-item text colour
        Normal,   // an enabled row, or one whose item has gone
        Disabled,
    };

    // The height `text` needs in `font` within textWidth, in whole points.
    static qreal textHeight(const QString &text, const QFont &font);

    explicit WrappedMenuRowLayout(qreal textHeight);

    QSizeF rowSize() const { return { rowWidth, m_textHeight + 2 * textTop }; }
    QRectF textRect() const { return { textLeft, textTop, textWidth, m_textHeight }; }
    QRectF iconRect() const { return { iconLeft, iconTop, iconSide, iconSide }; }
    // The selection behind a highlighted row as wide as `rowBounds`.
    static QRectF highlightRect(const QRectF &rowBounds);

    // A row is highlighted only when its item exists, is the menu's current
    // one and is enabled.
    static bool isHighlighted(bool hasItem, bool isCurrent, bool isEnabled);
    static TextLook textLook(bool hasItem, bool isCurrent, bool isEnabled);

private:
    qreal m_textHeight;
};

} // namespace Velmora
