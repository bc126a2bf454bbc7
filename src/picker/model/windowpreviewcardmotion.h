#pragma once

#include "bar/model/animator.h"
#include "platform/scheduler.h"

#include <QObject>

namespace Velmora {

// How a card (or the placeholder) is drawn in motion, relative to its place
// in the strip: about its centre, then moved down by offsetY, with a shadow
// beneath it.
struct CardTransform
{
    qreal opacity = 1;
    qreal scale = 1;
    qreal offsetY = 0;
    qreal rotationDegrees = 0;
    qreal shadowOpacity = 0;
    qreal shadowRadius = 0;
    qreal shadowOffsetY = 0;

    // Whether anything is drawn outside the card's own rectangle.
    bool overhangs() const;
};

// The motion of one card: it rises into place when first shown, fades and
// shrinks away while its window is being closed, and lifts (grows, tilts and
// casts a shadow) while pressed or dragged. Under reduce motion the card
// appears at once without rising, and a lifted card keeps its size and
// angle but still casts its shadow.
class WindowPreviewCardMotion : public QObject
{
    Q_OBJECT
public:
    static constexpr qreal hiddenScale = 0.96;
    static constexpr qreal closingScale = 0.88;
    static constexpr qreal appearRise = 8;
    static constexpr qreal liftedScale = 1.04;
    static constexpr qreal liftedRotationDegrees = -1;
    static constexpr qreal liftShadowOpacity = 0.5;
    static constexpr qreal liftShadowRadius = 10;
    static constexpr qreal liftShadowOffsetY = 8;
    // Later cards of a strip start their rise a little after earlier ones,
    // up to the sixth card.
    static constexpr qint64 appearStaggerMs = 35;
    static constexpr int appearStaggerLimit = 5;

    static Motion appearMotion();  // a spring of response 0.32 s, damping 0.82
    static Motion closingMotion(); // ease-out over 0.16 s
    static Motion liftMotion();    // ease-out over 0.18 s
    // The delay before the rise of the card at `index` of the strip.
    static qint64 appearDelayMs(qsizetype index);

    // `hasAppeared` true shows the card in place at once (the card that takes
    // the placeholder's place); false lets it rise when it comes on screen.
    WindowPreviewCardMotion(Animator &animator, Scheduler &scheduler, qint64 appearDelayMs, bool hasAppeared,
        QObject *parent = nullptr);
    ~WindowPreviewCardMotion() override;

    // The card came on screen: the rise starts after the appear delay, once.
    void shown();
    bool hasAppeared() const { return m_hasAppeared; }
    void setClosing(bool closing);
    bool isClosing() const { return m_isClosing; }
    void setLifted(bool lifted);
    bool isLifted() const { return m_isLifted; }
    // Whether any motion is still running or waiting for its delay.
    bool isMoving() const;

    CardTransform transform() const;

signals:
    void changed();

private:
    Animator &m_animator;
    Scheduler &m_scheduler;
    qint64 m_appearDelayMs;
    bool m_hasAppeared;
    bool m_isClosing = false;
    bool m_isLifted = false;
    Scheduler::JobId m_appearJob = 0;
    AnimatedValue m_appear;
    AnimatedValue m_closing;
    AnimatedValue m_lift;
};

} // namespace Velmora
