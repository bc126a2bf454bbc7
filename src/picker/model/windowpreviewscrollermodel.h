#pragma once

#include "picker/model/previewscrollanimation.h"
#include "store/windowpreviewdragstate.h"

#include <QObject>
#include <QRectF>
#include <QStringList>

#include <optional>

namespace Velmora {

class Animator;
class Scheduler;

// The geometry of the picker's horizontal scroller: how wide the strip of
// cards is, how far it is scrolled, whether the thin scroll bar shows, and
// the scrolls that keep a closed card's neighbours sliding into place and
// bring a requested card into view. The scroller widget only reflects it.
//
// The strip is exactly as wide as its cards. When a card goes while the strip
// is scrolled to its end, the strip keeps its old width until an animated
// scroll has brought the remaining cards into place, and only then narrows,
// so nothing jumps. Main thread only.
class WindowPreviewScrollerModel : public QObject
{
    Q_OBJECT
public:
    // The scroll bar's room below the strip, and where it sits: this far up
    // from the scroll view's bottom edge.
    static constexpr double scrollerHeight = 14;
    static constexpr double scrollerBottomInset = 16;
    // The knob drawn over the (invisible) scroll bar.
    static constexpr double knobHeight = 7;
    static constexpr double knobTop = 5;
    static constexpr double knobInset = 2;
    static constexpr double knobRadius = 3.5;
    // The shortest knob the scroll bar draws.
    static constexpr double minimumKnobWidth = 20;
    // The scroll bar shows from this many cards on.
    static constexpr qsizetype scrollerFromCount = 4;
    // A line of a mouse wheel scrolls this far; precise deltas scroll as given.
    static constexpr double pointsPerWheelLine = 28;

    WindowPreviewScrollerModel(Animator &animator, Scheduler &scheduler, QObject *parent = nullptr);
    ~WindowPreviewScrollerModel() override;

    // The store changed: lays out again when the displayed ids did (order
    // included), then acts on the card the store asks to bring into view.
    void update(const QStringList &displayedIDs, const std::optional<QString> &previewIDToReveal);
    // The width the scroll view shows of the strip.
    void setVisibleWidth(double width);

    bool showsScroller() const { return m_showsScroller; }
    // The strip's current width; during an animated shrink still the old one.
    double documentWidth() const { return m_documentWidth; }
    // The width the strip takes once a running shrink has ended.
    std::optional<double> pendingDocumentWidth() const { return m_pendingDocumentWidth; }
    double visibleWidth() const { return m_visibleWidth; }
    double offset() const { return m_offset; }
    double maxOffset() const;
    // Scrolls as the scroll view's clip does: kept within the document.
    void scrollTo(double x);
    // A wheel or trackpad scroll over the strip. A mostly vertical one
    // scrolls sideways, `pointsPerWheelLine` per line unless the deltas are
    // precise; a horizontal one scrolls as it comes. False when there is
    // nothing to scroll.
    bool scrollWheel(double deltaX, double deltaY, bool precise);

    // The scroll bar's rectangle in a scroll view of `viewSize`.
    static QRectF scrollerRect(const QSizeF &viewSize);
    // The knob within the scroll bar's rectangle, or nothing when the whole
    // strip is in view or the scroll bar is hidden.
    std::optional<QRectF> knobRect(const QRectF &scroller) const;

    WindowPreviewDragState &drag() { return m_drag; }
    PreviewScrollAnimation &scrollAnimation() { return m_scrollAnimation; }
    const std::optional<QStringList> &laidOutPreviewIDs() const { return m_laidOutPreviewIDs; }

signals:
    // The document's width, the offset or the scroll bar changed.
    void geometryChanged();

private:
    void layOutStrip(qsizetype count);
    void revealRequestedCard(const std::optional<QString> &previewIDToReveal, const QStringList &displayedIDs);
    void reveal(qsizetype index, qsizetype count);
    void setDocumentWidth(double width);
    void setOffset(double x);

    Animator &m_animator;
    Scheduler &m_scheduler;
    WindowPreviewDragState m_drag;
    std::optional<QString> m_revealedPreviewID;
    std::optional<QStringList> m_laidOutPreviewIDs;
    std::optional<double> m_pendingDocumentWidth;
    bool m_showsScroller = false;
    double m_documentWidth = 0;
    double m_visibleWidth = 0;
    double m_offset = 0;
    PreviewScrollAnimation m_scrollAnimation;
};

} // namespace Velmora
