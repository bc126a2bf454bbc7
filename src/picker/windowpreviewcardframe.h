#pragma once

#include "picker/model/windowpreviewcardmotion.h"

#include <QMargins>
#include <QWidget>

namespace Velmora {

// What every card of the picker's strip shares (the window cards and the
// placeholder): the 224 by 159 point body, its motion (rise, closing, lift)
// and the room around the body that the lift's growth, tilt and shadow
// need. The strip places a card by its body; the widget is larger by
// overhang(). While the card is at rest the room around the body takes no
// mouse input, so it never covers a neighbour.
class WindowPreviewCardFrame : public QWidget
{
    Q_OBJECT
public:
    static QSize bodySize();
    static QMargins overhang();
    static QSize outerSize();

    WindowPreviewCardFrame(Animator &animator, Scheduler &scheduler, qint64 appearDelayMs, bool hasAppeared,
        QWidget *parent = nullptr);
    ~WindowPreviewCardFrame() override;

    WindowPreviewCardMotion &motion() { return m_motion; }
    const WindowPreviewCardMotion &motion() const { return m_motion; }

    // The body's rectangle in this widget.
    QRect bodyRect() const;
    // Moves the card so its body's top left corner lies at `topLeft` of the parent.
    void placeBody(const QPoint &topLeft);
    QPoint bodyPosition() const;

    void setClosing(bool closing) { m_motion.setClosing(closing); }
    // Whether the card is shown at rest: fully opaque, not closing.
    bool isSettled() const;

    QSize sizeHint() const override;

protected:
    // Paints the body, in body coordinates (origin at its top left), with
    // the motion's transform, opacity and shadow already applied.
    virtual void paintBody(QPainter &painter) = 0;
    // The motion moved on; a card shows or hides its child widgets here.
    virtual void motionChanged() {}

    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void updateMask();

    WindowPreviewCardMotion m_motion;
    bool m_masked = false;
};

} // namespace Velmora
