#pragma once

#include "picker/model/windowpreviewpointer.h"

#include <QWidget>

class QAbstractScrollArea;

namespace Velmora {

// The transparent layer over a window card's face that turns the mouse into
// click, lift, drag, drag end and refused drag (see WindowPreviewPointer).
// Points are measured in the scrolling strip's document coordinates, and a
// drag near or past the strip's edge scrolls it. A Control-click travels on
// to the card, whose context menu it opens.
class WindowPreviewPointerView : public QWidget
{
    Q_OBJECT
public:
    // Pointer this close to the scroller's edge scrolls it while dragging.
    static constexpr int autoscrollMargin = 16;

    WindowPreviewPointerView(Scheduler &scheduler, QWidget *parent = nullptr);
    ~WindowPreviewPointerView() override;

    WindowPreviewPointer &pointer() { return m_pointer; }
    void setCanDrag(bool canDrag) { m_pointer.setCanDrag(canDrag); }
    void setCallbacks(WindowPreviewPointer::Callbacks callbacks) { m_pointer.setCallbacks(std::move(callbacks)); }

    // `local` (in this view's coordinates) in the coordinates of the strip
    // the card lies in: the document of the enclosing scroll area, else the
    // parent, else this view.
    QPointF documentPoint(const QPointF &local) const;

signals:
    // A press was taken (the card hides its tooltip).
    void pressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;

private:
    QAbstractScrollArea *scrollArea() const;
    QWidget *documentWidget() const;
    // Scrolls the enclosing scroll area when `local` is near or beyond its
    // viewport's left or right edge.
    void autoscroll(const QPointF &local);

    WindowPreviewPointer m_pointer;
};

} // namespace Velmora
