#include "bar/model/motion.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Velmora {

namespace {

// A spring counts as settled once it stays this close to its target.
constexpr qreal settledWithin = 1e-3;
// An undamped spring never settles; keep every spring finite.
constexpr qreal leastDamping = 0.05;
constexpr qint64 longestSpringMs = 10'000;

QEasingCurve bezier(QPointF c1, QPointF c2)
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(c1, c2, QPointF(1, 1));
    return curve;
}

} // namespace

Motion::Motion(Shape shape, Kind kind, qint64 durationMs)
    : m_shape(shape)
    , m_kind(kind)
    , m_durationMs(std::max<qint64>(0, durationMs))
{
}

Motion Motion::linear(qint64 durationMs, Kind kind)
{
    Motion motion(Shape::Curve, kind, durationMs);
    motion.m_curve = QEasingCurve(QEasingCurve::Linear);
    return motion;
}

Motion Motion::easeOut(qint64 durationMs, Kind kind)
{
    Motion motion(Shape::Curve, kind, durationMs);
    motion.m_curve = bezier({ 0, 0 }, { 0.58, 1 });
    return motion;
}

Motion Motion::easeInOut(qint64 durationMs, Kind kind)
{
    Motion motion(Shape::Curve, kind, durationMs);
    motion.m_curve = bezier({ 0.42, 0 }, { 0.58, 1 });
    return motion;
}

Motion Motion::cubicEaseOut(qint64 durationMs, Kind kind)
{
    Motion motion(Shape::Curve, kind, durationMs);
    motion.m_curve = QEasingCurve(QEasingCurve::OutCubic);
    return motion;
}

Motion Motion::spring(qreal responseSeconds, qreal dampingFraction)
{
    if (!(responseSeconds > 0))
        return Motion();
    Motion motion(Shape::Spring, Kind::Movement, 0);
    motion.m_omega = 2 * std::numbers::pi / responseSeconds;
    motion.m_damping = std::max(leastDamping, dampingFraction);
    const qreal zeta = motion.m_damping;
    const qreal omega = motion.m_omega;
    qreal settleSeconds = 0;
    if (zeta < 1) {
        // The oscillation stays inside an exponential envelope; solve for
        // the moment the envelope itself is within the tolerance.
        const qreal ratio = zeta / std::sqrt(1 - zeta * zeta);
        settleSeconds = std::log(std::sqrt(1 + ratio * ratio) / settledWithin) / (zeta * omega);
    } else {
        // Without overshoot the distance to the target only shrinks.
        qint64 ms = 0;
        while (ms < longestSpringMs && 1 - motion.springPosition(ms / 1000.0) >= settledWithin)
            ++ms;
        settleSeconds = ms / 1000.0;
    }
    motion.m_durationMs = std::min<qint64>(longestSpringMs, qint64(std::ceil(settleSeconds * 1000)));
    return motion;
}

qreal Motion::springPosition(qreal t) const
{
    const qreal zeta = m_damping;
    const qreal omega = m_omega;
    if (zeta < 1) {
        const qreal damped = omega * std::sqrt(1 - zeta * zeta);
        return 1 - std::exp(-zeta * omega * t) * (std::cos(damped * t) + zeta * omega / damped * std::sin(damped * t));
    }
    if (zeta == 1)
        return 1 - std::exp(-omega * t) * (1 + omega * t);
    // Overdamped: two decaying exponentials, written so neither overflows.
    const qreal root = std::sqrt(zeta * zeta - 1);
    const qreal slow = -omega * (zeta - root);
    const qreal fast = -omega * (zeta + root);
    return 1 - (fast * std::exp(slow * t) - slow * std::exp(fast * t)) / (fast - slow);
}

qreal Motion::progress(qint64 elapsedMs) const
{
    if (elapsedMs >= m_durationMs)
        return 1;
    if (elapsedMs <= 0)
        return 0;
    if (m_shape == Shape::Spring)
        return springPosition(elapsedMs / 1000.0);
    return m_curve.valueForProgress(qreal(elapsedMs) / qreal(m_durationMs));
}

} // namespace Velmora
