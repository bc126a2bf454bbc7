#include "picker/model/windowpickerlayout.h"

#include <algorithm>

namespace Velmora {

WindowPickerLayout::WindowPickerLayout(const Input &input)
    : m_input(input)
{
}

int WindowPickerLayout::contentHeight() const
{
    const int rowTop = screenRecordingRowTop();
    const int bottom = m_input.showsScreenRecordingRow ? rowTop + screenRecordingRowHeight : rowTop - rowSpacing;
    return bottom + padding;
}

QRect WindowPickerLayout::headerRect() const
{
    return QRect(padding, padding, std::max(0, m_input.width - 2 * padding), headerHeight);
}

QRect WindowPickerLayout::iconRect() const
{
    const QRect row = headerRect();
    // A point below the row's centre, where the name's baseline draws the eye.
    return QRect(row.left(), row.center().y() - iconSide / 2 + 1, iconSide, iconSide);
}

QPoint WindowPickerLayout::newWindowButtonPosition() const
{
    return QPoint(m_input.width - padding - m_input.newWindowButtonSide, padding);
}

int WindowPickerLayout::cardRowTop() const
{
    return padding + headerHeight + rowSpacing;
}

QRect WindowPickerLayout::scrollerRect() const
{
    return QRect(padding, cardRowTop() - scrollerOverhangTop, std::max(0, m_input.width - 2 * padding),
        int(m_input.previewScrollerHeight));
}

int WindowPickerLayout::screenRecordingRowTop() const
{
    const int row = int(m_input.previewCardHeight) + cardRowChrome - scrollerOverhangTop - scrollerOverhangBottom;
    return cardRowTop() + row + rowSpacing;
}

QRectF WindowPickerLayout::recordingSymbolRect() const
{
    return recordingSymbol.translated(padding, screenRecordingRowTop());
}

int WindowPickerLayout::recordingTextLeft() const
{
    return padding + recordingSymbolColumn + recordingTextGap;
}

QRect WindowPickerLayout::allowButtonRect() const
{
    const int left = recordingTextLeft() + m_input.screenRecordingTextWidth + allowButtonGap;
    return QRect(left, screenRecordingRowTop(), m_input.allowTitleWidth + allowButtonChrome, screenRecordingRowHeight);
}

QRect WindowPickerLayout::screenRecordingTextRect() const
{
    const int left = recordingTextLeft();
    return QRect(left, screenRecordingRowTop(), allowButtonRect().left() - left, screenRecordingRowHeight);
}

} // namespace Velmora
