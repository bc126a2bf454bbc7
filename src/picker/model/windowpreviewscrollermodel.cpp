#include "picker/model/windowpreviewscrollermodel.h"

#include "bar/model/animator.h"
#include "picker/model/windowpreviewstripmodel.h"
#include "platform/scheduler.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

// Offsets closer than this are the same offset.
constexpr double sameOffset = 0.5;

} // namespace

WindowPreviewScrollerModel::WindowPreviewScrollerModel(Animator &animator, Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_animator(animator)
    , m_scheduler(scheduler)
    , m_scrollAnimation(
          animator, [this] { return m_offset; }, [this](double x) { scrollTo(x); }, this)
{
}

WindowPreviewScrollerModel::~WindowPreviewScrollerModel() = default;

double WindowPreviewScrollerModel::maxOffset() const
{
    return std::max(m_documentWidth - m_visibleWidth, 0.0);
}

void WindowPreviewScrollerModel::update(
    const QStringList &displayedIDs, const std::optional<QString> &previewIDToReveal)
{
    if (m_laidOutPreviewIDs != displayedIDs) {
        m_laidOutPreviewIDs = displayedIDs;
        layOutStrip(displayedIDs.size());
    }
    revealRequestedCard(previewIDToReveal, displayedIDs);
}

void WindowPreviewScrollerModel::layOutStrip(qsizetype count)
{
    const bool showsScroller = count >= scrollerFromCount;
    const bool scrollerChanged = showsScroller != m_showsScroller;
    m_showsScroller = showsScroller;

    const double width = WindowPreviewStripModel::width(count);
    const double maxX = std::max(width - m_visibleWidth, 0.0);
    const double x = m_offset;
    const Motion scroll = Motion::linear(PreviewScrollAnimation::durationMs, Motion::Kind::Movement);

    if (x > maxX + sameOffset && width < m_documentWidth && !m_animator.jumps(scroll)) {
        // The remaining cards slide into view first; the strip narrows when
        // they are there. Until then it keeps its wider width.
        m_pendingDocumentWidth = width;
        m_scrollAnimation.scroll(maxX, [this] {
            if (!m_pendingDocumentWidth)
                return;
            const double pending = *m_pendingDocumentWidth;
            m_pendingDocumentWidth.reset();
            setDocumentWidth(pending);
        });
        if (scrollerChanged)
            emit geometryChanged();
        return;
    }
    if (m_pendingDocumentWidth && width <= m_documentWidth) {
        // A shrink is still running and the strip does not need to grow:
        // the shrink's end applies the newest width.
        m_pendingDocumentWidth = width;
        if (scrollerChanged)
            emit geometryChanged();
        return;
    }
    m_pendingDocumentWidth.reset();
    m_documentWidth = width;
    m_offset = std::min(maxOffset(), x);
    emit geometryChanged();
}

void WindowPreviewScrollerModel::revealRequestedCard(
    const std::optional<QString> &previewIDToReveal, const QStringList &displayedIDs)
{
    if (!previewIDToReveal) {
        m_revealedPreviewID.reset();
        return;
    }
    if (previewIDToReveal == m_revealedPreviewID)
        return;
    const qsizetype index = displayedIDs.indexOf(*previewIDToReveal);
    // Not displayed yet: acted on at the first update that displays it.
    if (index < 0)
        return;
    m_revealedPreviewID = previewIDToReveal;
    // On the next turn, once the layout of this update has sized everything.
    m_scheduler.scheduleOnce(0, this, [this, index, count = displayedIDs.size()] { reveal(index, count); });
}

void WindowPreviewScrollerModel::reveal(qsizetype index, qsizetype count)
{
    if (count <= 0)
        return;
    // A shrink that is still running has not narrowed the strip yet; the
    // card's place and the furthest scroll follow the width it is going to
    // have, not the wider one it still has.
    const double document = m_pendingDocumentWidth.value_or(m_documentWidth);
    const double visible = m_visibleWidth;
    const double x = m_offset;
    const double spacing = WindowPreviewStripModel::spacing;
    const double card = (document - double(count - 1) * spacing) / double(count);
    const double minX = (card + spacing) * double(index);
    const double maxXCard = minX + card;
    double target = 0;
    if (maxXCard > x + visible)
        target = maxXCard - visible;
    else if (minX < x)
        target = minX;
    else
        return;
    target = std::min(std::max(target, 0.0), std::max(document - visible, 0.0));
    m_scrollAnimation.scroll(target);
}

void WindowPreviewScrollerModel::setVisibleWidth(double width)
{
    width = std::max(width, 0.0);
    if (m_visibleWidth == width)
        return;
    m_visibleWidth = width;
    // A wider view may leave less to scroll.
    m_offset = std::min(m_offset, maxOffset());
    emit geometryChanged();
}

void WindowPreviewScrollerModel::setDocumentWidth(double width)
{
    m_documentWidth = width;
    m_offset = std::min(m_offset, maxOffset());
    emit geometryChanged();
}

void WindowPreviewScrollerModel::scrollTo(double x)
{
    setOffset(std::clamp(x, 0.0, maxOffset()));
}

void WindowPreviewScrollerModel::setOffset(double x)
{
    if (m_offset == x)
        return;
    m_offset = x;
    emit geometryChanged();
}

bool WindowPreviewScrollerModel::scrollWheel(double deltaX, double deltaY, bool precise)
{
    if (m_documentWidth <= 0)
        return false;
    const double factor = precise ? 1 : pointsPerWheelLine;
    const double delta = std::abs(deltaY) > std::abs(deltaX) ? deltaY : deltaX;
    if (delta == 0 || !std::isfinite(delta))
        return false;
    scrollTo(m_offset - factor * delta);
    return true;
}

QRectF WindowPreviewScrollerModel::scrollerRect(const QSizeF &viewSize)
{
    return QRectF(0, viewSize.height() - scrollerBottomInset - scrollerHeight, viewSize.width(), scrollerHeight);
}

std::optional<QRectF> WindowPreviewScrollerModel::knobRect(const QRectF &scroller) const
{
    if (!m_showsScroller || m_documentWidth <= m_visibleWidth || m_documentWidth <= 0 || scroller.width() <= 0)
        return std::nullopt;
    const double track = scroller.width();
    const double knobWidth = std::clamp(track * m_visibleWidth / m_documentWidth, std::min(minimumKnobWidth, track), track);
    const double maxX = maxOffset();
    const double position = maxX > 0 ? std::clamp(m_offset / maxX, 0.0, 1.0) : 0;
    const double left = scroller.left() + (track - knobWidth) * position + knobInset;
    const double width = std::max(knobWidth - 2 * knobInset, 0.0);
    return QRectF(left, scroller.top() + knobTop, width, knobHeight);
}

} // namespace Velmora
