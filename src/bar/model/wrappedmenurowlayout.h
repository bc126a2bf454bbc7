#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QFont;

namespace Velmora {

// Where a menu puts an ordinary item's icon and text. The defaults are the
// desktop's usual menu metrics; a view measures its own menu's.
struct MenuItemColumns
{
    qreal iconLeft = 17;
    qreal iconSide = 14;
    qreal textLeft = 38;
};

// The geometry and look of a menu row that shows a wrapped title over
// several lines like an ordinary menu item: the symbol in the menu's icon
// column, level with the first line, and the text in the column where
// ordinary items start theirs. Coordinates have their origin at the row's top
// left, y down.
class WrappedMenuRowLayout
{
public:
    static constexpr qreal textTop = 6;
    static constexpr qreal textWidth = 360;
    // Room to the right of the text, as ordinary items keep for shortcuts.
    static constexpr qreal rightMargin = 18;

    using Columns = MenuItemColumns;

    enum class TextLook {
        Selected, // the highlighted row: the selected menu-item text colour
        Normal,   // an enabled row, or one whose item has gone
        Disabled,
    };

    // The height `text` needs in `font` within textWidth, in whole points.
    static qreal textHeight(const QString &text, const QFont &font);

    WrappedMenuRowLayout(qreal textHeight, qreal firstLineHeight, Columns columns = {});

    QSizeF rowSize() const;
    QRectF textRect() const;
    QRectF iconRect() const;

    // A row is highlighted only when its item exists, is the menu's current
    // one and is enabled.
    static bool isHighlighted(bool hasItem, bool isCurrent, bool isEnabled);
    static TextLook textLook(bool hasItem, bool isCurrent, bool isEnabled);

private:
    qreal m_textHeight;
    qreal m_firstLineHeight;
    Columns m_columns;
};

} // namespace Velmora
