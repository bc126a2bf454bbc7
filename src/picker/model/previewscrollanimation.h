#pragma once

#include "bar/model/animator.h"

#include <QObject>

#include <functional>

namespace Velmora {

// The picker strip's animated horizontal scroll: 0.26 s, eased in and out
// (cubic), on the shared animator. A request while a scroll runs retargets it
// (keeping where and when it started), and every completion handed in runs
// exactly once, in order, when that scroll ends. Under reduce motion, or for
// less than half a point, the scroll lands at once.
class PreviewScrollAnimation : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 durationMs = 260;
    // Closer than this the scroll is not worth animating.
    static constexpr double leastDistance = 0.5;

    // `offset` reads the current horizontal offset and `setOffset` applies
    // one; both belong to the scroll view, which owns this animation.
    PreviewScrollAnimation(Animator &animator, std::function<double()> offset,
        std::function<void(double)> setOffset, QObject *parent = nullptr);
    ~PreviewScrollAnimation() override;

    void scroll(double targetX, std::function<void()> completion = {});
    bool isRunning() const { return m_id != 0; }
    double fromX() const { return m_fromX; }
    double toX() const { return m_toX; }

    // 4p³ up to the middle, 1 − (2 − 2p)³ / 2 after it.
    static double easeInOutCubic(double progress);

private:
    void step(qreal progress);
    void finish();

    Animator &m_animator;
    std::function<double()> m_offset;
    std::function<void(double)> m_setOffset;
    Animator::Id m_id = 0;
    double m_fromX = 0;
    double m_toX = 0;
    std::function<void()> m_completion;
};

} // namespace Velmora
