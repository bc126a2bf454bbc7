#include "bar/model/barlayout.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

qsizetype BarLayout::appSlotCapacity(qreal barWidth, qreal trayWidth, TaskbarButtonAlignment alignment,
                                     bool showsStart, bool showsSearch)
{
    if (!(barWidth > 0))
        return unboundedCapacity;
    const bool centred = alignment == TaskbarButtonAlignment::Center;
    // The stack spacings around the row, and the spacers at their narrowest
    // (with centre alignment, one more spacing as well).
    const qreal fixed = centred ? 3 * stackSpacing : 2 * stackSpacing;
    const qreal spacer = centred ? centreLeadingSpacer + stackSpacing : minimumSpacer;
    // n buttons need slotWidth * n - rowSpacing points.
    const qreal room = barWidth - 2 * padding - fixed - spacer - std::max<qreal>(trayWidth, 0) + rowSpacing;
    if (!std::isfinite(room))
        return 0;
    qsizetype count = qsizetype(std::floor(room / slotWidth));
    if (showsStart)
        --count;
    if (showsSearch)
        --count;
    return std::max<qsizetype>(count, 0);
}

BarLayout::BarLayout(const Input &input)
    : m_input(input)
{
    const qreal rowWidth = rowRect().width();
    const qreal tray = std::max<qreal>(m_input.trayWidth, 0);
    switch (m_input.alignment) {
    case TaskbarButtonAlignment::Left:
        m_rowLeft = padding;
        break;
    case TaskbarButtonAlignment::Right:
        m_rowLeft = m_input.barWidth - padding - tray - stackSpacing - rowWidth;
        break;
    case TaskbarButtonAlignment::Center: {
        // Two spacers and three spacings around the row and the tray; the
        // spacers share what is left evenly while the leading one gets its
        // minimum, else it keeps the minimum and the trailing one takes the rest.
        const qreal free = m_input.barWidth - 2 * padding - 3 * stackSpacing - rowWidth - tray;
        const qreal leading = std::max(centreLeadingSpacer, free / 2);
        m_rowLeft = padding + leading + stackSpacing;
        break;
    }
    }
}

qsizetype BarLayout::rowItemCount() const
{
    return (m_input.showsStart ? 1 : 0) + (m_input.showsSearch ? 1 : 0) + std::max<qsizetype>(m_input.appCount, 0)
        + (m_input.showsOverflow ? 1 : 0);
}

qreal BarLayout::buttonTop() const
{
    return hairlineHeight + (barHeight - hairlineHeight - buttonSide) / 2;
}

QRectF BarLayout::rowRect() const
{
    const qsizetype count = rowItemCount();
    const qreal width = count > 0 ? slotWidth * qreal(count) - rowSpacing : 0;
    return QRectF(m_rowLeft, buttonTop(), width, buttonSide);
}

QRectF BarLayout::slotRect(qsizetype slot) const
{
    return QRectF(m_rowLeft + slotWidth * qreal(slot), buttonTop(), buttonSide, buttonSide);
}

qsizetype BarLayout::firstAppSlot() const
{
    return (m_input.showsStart ? 1 : 0) + (m_input.showsSearch ? 1 : 0);
}

std::optional<QRectF> BarLayout::startRect() const
{
    if (!m_input.showsStart)
        return std::nullopt;
    return slotRect(0);
}

std::optional<QRectF> BarLayout::searchRect() const
{
    if (!m_input.showsSearch)
        return std::nullopt;
    return slotRect(m_input.showsStart ? 1 : 0);
}

QRectF BarLayout::appRect(qsizetype index) const
{
    return slotRect(firstAppSlot() + index);
}

std::optional<QRectF> BarLayout::overflowRect() const
{
    if (!m_input.showsOverflow)
        return std::nullopt;
    return slotRect(firstAppSlot() + std::max<qsizetype>(m_input.appCount, 0));
}

QRectF BarLayout::trayRect() const
{
    const qreal tray = std::max<qreal>(m_input.trayWidth, 0);
    return QRectF(m_input.barWidth - padding - tray, hairlineHeight, tray, barHeight - hairlineHeight);
}

} // namespace Velmora
