#include "picker/model/windowpreviewcardmotion.h"

#include <algorithm>

namespace Velmora {

bool CardTransform::overhangs() const
{
    return scale > 1 || rotationDegrees != 0 || offsetY > 0 || shadowOpacity > 0;
}

Motion WindowPreviewCardMotion::appearMotion()
{
    return Motion::spring(0.32, 0.82);
}

Motion WindowPreviewCardMotion::closingMotion()
{
    return Motion::easeOut(160, Motion::Kind::Fade);
}

Motion WindowPreviewCardMotion::liftMotion()
{
    // A fade: under reduce motion the shadow still comes and goes smoothly,
    // and the growth and tilt are left out of the drawing instead.
    return Motion::easeOut(180, Motion::Kind::Fade);
}

qint64 WindowPreviewCardMotion::appearDelayMs(qsizetype index)
{
    return std::clamp<qsizetype>(index, 0, appearStaggerLimit) * appearStaggerMs;
}

WindowPreviewCardMotion::WindowPreviewCardMotion(
    Animator &animator, Scheduler &scheduler, qint64 appearDelayMs, bool hasAppeared, QObject *parent)
    : QObject(parent)
    , m_animator(animator)
    , m_scheduler(scheduler)
    , m_appearDelayMs(std::max<qint64>(appearDelayMs, 0))
    , m_hasAppeared(hasAppeared)
    , m_appear(animator, this, hasAppeared ? 1 : 0, [this] { emit changed(); })
    , m_closing(animator, this, 0, [this] { emit changed(); })
    , m_lift(animator, this, 0, [this] { emit changed(); })
{
}

WindowPreviewCardMotion::~WindowPreviewCardMotion()
{
    m_scheduler.cancel(m_appearJob);
}

void WindowPreviewCardMotion::shown()
{
    if (m_hasAppeared)
        return;
    m_hasAppeared = true;
    if (m_animator.reducesMotion() || m_animator.isInstant()) {
        m_appear.setValue(1);
        return;
    }
    if (m_appearDelayMs == 0) {
        m_appear.animateTo(1, appearMotion());
        return;
    }
    m_appearJob = m_scheduler.scheduleOnce(m_appearDelayMs, this, [this] {
        m_appearJob = 0;
        if (m_animator.reducesMotion())
            m_appear.setValue(1);
        else
            m_appear.animateTo(1, appearMotion());
    });
}

void WindowPreviewCardMotion::setClosing(bool closing)
{
    if (m_isClosing == closing)
        return;
    m_isClosing = closing;
    m_closing.animateTo(closing ? 1 : 0, closingMotion());
    emit changed();
}

void WindowPreviewCardMotion::setLifted(bool lifted)
{
    if (m_isLifted == lifted)
        return;
    m_isLifted = lifted;
    m_lift.animateTo(lifted ? 1 : 0, liftMotion());
    emit changed();
}

bool WindowPreviewCardMotion::isMoving() const
{
    return m_appearJob != 0 || m_appear.isAnimating() || m_closing.isAnimating() || m_lift.isAnimating();
}

CardTransform WindowPreviewCardMotion::transform() const
{
    const qreal appear = m_appear.value();
    const qreal closing = std::clamp(m_closing.value(), 0.0, 1.0);
    const qreal lift = std::clamp(m_lift.value(), 0.0, 1.0);
    const bool reduces = m_animator.reducesMotion();

    CardTransform t;
    t.opacity = std::clamp(appear, 0.0, 1.0) * (1 - closing);
    const qreal shownScale = hiddenScale + (1 - hiddenScale) * appear;
    t.scale = shownScale + (closingScale - shownScale) * closing;
    t.offsetY = reduces ? 0 : appearRise * (1 - appear);
    if (!reduces) {
        t.scale *= 1 + (liftedScale - 1) * lift;
        t.rotationDegrees = liftedRotationDegrees * lift;
    }
    t.shadowOpacity = liftShadowOpacity * lift;
    t.shadowRadius = liftShadowRadius * lift;
    t.shadowOffsetY = liftShadowOffsetY * lift;
    return t;
}

} // namespace Velmora
