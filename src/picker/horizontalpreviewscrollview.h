#pragma once

#include <QAbstractScrollArea>
#include <QPointer>

namespace Velmora {

class PreviewScrollKnobView;
class ThinPreviewScroller;
class WindowPreviewScrollerModel;

// The scroll view of the picker's strip. It shows its document (the strip)
// as far scrolled and as wide as the model says, moves the thin scroll bar
// and its knob, and turns a vertical wheel into a sideways scroll.
//
// The area's own horizontal scroll bar is never shown; it carries the
// scroll position for whoever scrolls the area the generic way (a card
// dragged against the edge autoscrolls through it). The scroll bar the user
// presses sits 16 points above the bottom edge, over the strip's empty
// bottom margin, with 14 points of room reserved under the strip.
class HorizontalPreviewScrollView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit HorizontalPreviewScrollView(WindowPreviewScrollerModel &model, QWidget *parent = nullptr);
    ~HorizontalPreviewScrollView() override;

    // Puts `document` inside the scroll view, once.
    void setDocument(QWidget *document);
    QWidget *document() const { return m_document; }
    ThinPreviewScroller *scroller() const { return m_scroller; }
    PreviewScrollKnobView *knobView() const { return m_knob; }
    WindowPreviewScrollerModel &model() const { return m_model; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;

private:
    // Applies the model's geometry to the document, the bars and the knob.
    void reflect();
    void layOutScroller();

    WindowPreviewScrollerModel &m_model;
    QPointer<QWidget> m_document;
    ThinPreviewScroller *m_scroller;
    PreviewScrollKnobView *m_knob;
    bool m_reflecting = false;
};

} // namespace Velmora
