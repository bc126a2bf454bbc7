#pragma once

#include "store/storesettings.h"

#include <QRectF>

#include <limits>
#include <optional>

namespace Velmora {

// Where everything sits on one display's bar, in the bar's own coordinates
// (points, origin at its top left, y down). Pure arithmetic over what the bar
// measured and what the store says is shown.
//
// From left to right the bar holds, 6 points in from either end and 8 apart:
// the leading spacer (by alignment), the row of buttons (Start, Search, the
// apps, "Show more apps", each 44 wide and 3 apart), the trailing spacer
// (none for right alignment) and the tray. The spacers share what is left;
// with centre alignment the leading one is at least 190 points wide, else 8.
class BarLayout
{
public:
    static constexpr qreal barHeight = 57;
    static constexpr qreal hairlineHeight = 1;
    static constexpr qreal padding = 6;
    static constexpr qreal stackSpacing = 8;
    static constexpr qreal rowSpacing = 3;
    static constexpr qreal buttonSide = 44;
    // One button and the spacing after it.
    static constexpr qreal slotWidth = buttonSide + rowSpacing;
    static constexpr qreal centreLeadingSpacer = 190;
    static constexpr qreal minimumSpacer = 8;
    // Before the bar has been measured every app is shown.
    static constexpr qsizetype unboundedCapacity = std::numeric_limits<qsizetype>::max();

    struct Input
    {
        qreal barWidth = 0;
        qreal trayWidth = 0;
        TaskbarButtonAlignment alignment = TaskbarButtonAlignment::Center;
        bool showsStart = true;
        bool showsSearch = true;
        qsizetype appCount = 0;
        bool showsOverflow = false;
    };

    // How many app buttons fit: unbounded while the bar is unmeasured, never
    // negative. The overflow button, when needed, takes one of these slots.
    static qsizetype appSlotCapacity(qreal barWidth, qreal trayWidth, TaskbarButtonAlignment alignment,
                                     bool showsStart, bool showsSearch);

    explicit BarLayout(const Input &input);

    const Input &input() const { return m_input; }
    // The row of buttons.
    QRectF rowRect() const;
    std::optional<QRectF> startRect() const;
    std::optional<QRectF> searchRect() const;
    // The slot of the index-th app button (before any drag offset).
    QRectF appRect(qsizetype index) const;
    std::optional<QRectF> overflowRect() const;
    QRectF trayRect() const;

private:
    qsizetype rowItemCount() const;
    qreal buttonTop() const;
    QRectF slotRect(qsizetype slot) const;
    qsizetype firstAppSlot() const;

    Input m_input;
    qreal m_rowLeft = 0;
};

} // namespace Velmora
