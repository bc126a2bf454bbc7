#include "picker/model/previewscrollanimation.h"

#include <cmath>

namespace Velmora {

PreviewScrollAnimation::PreviewScrollAnimation(Animator &animator, std::function<double()> offset,
    std::function<void(double)> setOffset, QObject *parent)
    : QObject(parent)
    , m_animator(animator)
    , m_offset(std::move(offset))
    , m_setOffset(std::move(setOffset))
{
}

PreviewScrollAnimation::~PreviewScrollAnimation()
{
    m_animator.stop(m_id);
}

double PreviewScrollAnimation::easeInOutCubic(double p)
{
    if (p < 0.5)
        return 4 * p * p * p;
    const double rest = 2 - 2 * p;
    return 1 - rest * rest * rest / 2;
}

void PreviewScrollAnimation::scroll(double targetX, std::function<void()> completion)
{
    if (completion) {
        if (m_completion) {
            m_completion = [earlier = std::move(m_completion), later = std::move(completion)] {
                earlier();
                later();
            };
        } else {
            m_completion = std::move(completion);
        }
    }
    if (m_id != 0) {
        // Retarget: the running scroll bends towards the new target.
        m_toX = targetX;
        return;
    }
    m_fromX = m_offset();
    m_toX = targetX;
    const Motion motion = Motion::linear(durationMs, Motion::Kind::Movement);
    if (std::abs(m_toX - m_fromX) < leastDistance || m_animator.jumps(motion)) {
        finish();
        return;
    }
    // The animator hands out linear progress; the curve is ours.
    m_id = m_animator.start(motion, this, [this](qreal progress) { step(progress); }, [this] { finish(); });
}

void PreviewScrollAnimation::step(qreal progress)
{
    if (progress >= 1)
        return; // finish() lands it exactly
    m_setOffset(m_fromX + easeInOutCubic(progress) * (m_toX - m_fromX));
}

void PreviewScrollAnimation::finish()
{
    m_id = 0;
    m_setOffset(m_toX);
    // Out of the object first: the completion may start the next scroll.
    std::function<void()> completion = std::move(m_completion);
    m_completion = nullptr;
    if (completion)
        completion();
}

} // namespace Velmora
