#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>

namespace Velmora {

// Where everything sits in the window picker, in its own coordinates (origin
// at its top left, y down). Pure arithmetic over the picker's width, the
// card height the bar gives it and what the picker shows; the view measures
// its texts and asks.
//
// From top to bottom: the header row (the app's icon and name, the drag
// hint, the "+" button at the trailing end), the row of cards, whose
// scroller overhangs it above and below, and, while Screen Recording is not
// allowed, the row that asks for it.
class WindowPickerLayout
{
public:
    static constexpr int padding = 14;
    static constexpr int rowSpacing = 12;
    static constexpr int headerHeight = 24;
    static constexpr int headerSpacing = 9;
    static constexpr int iconSide = 22;
    // Between the hint and whatever ends the header.
    static constexpr int hintLeastGap = 8;
    // The scroller overhangs the card row by these at the top and the bottom.
    static constexpr int scrollerOverhangTop = 8;
    static constexpr int scrollerOverhangBottom = 16;
    // What the card row takes beyond a card's height, the overhangs included.
    static constexpr int cardRowChrome = 38;
    static constexpr int screenRecordingRowHeight = 20;
    // The row's "record the screen" symbol, from the row's top left.
    static constexpr QRectF recordingSymbol { 0.5, 4.5, 15, 11 };
    // The symbol's column and the gap after it, before the row's text.
    static constexpr int recordingSymbolColumn = 16;
    static constexpr int recordingTextGap = 8;
    // Between the row's text and the "Allow…" button.
    static constexpr int allowButtonGap = 8;
    // The button's width beyond its title's.
    static constexpr int allowButtonChrome = 18;

    struct Input
    {
        int width = 0;
        // The height of one card, as the bar gives it.
        qreal previewCardHeight = 0;
        // The scroller's height: the cards, their chrome and any scroll bar.
        qreal previewScrollerHeight = 0;
        bool showsScreenRecordingRow = false;
        // The "+" button's side.
        int newWindowButtonSide = 0;
        // The measured widths of the row's text and of the button's title.
        int screenRecordingTextWidth = 0;
        int allowTitleWidth = 0;
    };

    explicit WindowPickerLayout(const Input &input);

    const Input &input() const { return m_input; }

    // The picker's height: everything above plus the padding below.
    int contentHeight() const;

    QRect headerRect() const;
    QRect iconRect() const;
    QPoint newWindowButtonPosition() const;

    // The card row, and the scroller laid over it with its overhangs.
    int cardRowTop() const;
    QRect scrollerRect() const;

    int screenRecordingRowTop() const;
    QRectF recordingSymbolRect() const;
    QRect allowButtonRect() const;
    // The row's text, up to the button.
    QRect screenRecordingTextRect() const;

private:
    int recordingTextLeft() const;

    Input m_input;
};

} // namespace Velmora
