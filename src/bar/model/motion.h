#pragma once

#include <QEasingCurve>
#include <QtGlobal>

namespace Velmora {

// How one change moves on screen: a timed curve or a spring. A Motion is a
// plain value; the Animator runs it.
class Motion
{
public:
    // What the motion changes, which decides what "reduce motion" does to it:
    // things that move or grow jump to their end, fades still fade.
    enum class Kind {
        Movement, // positions, sizes, scales, scrolls, springs
        Fade,     // opacity and colour
    };

    // No motion at all: the change applies at once.
    Motion() = default;

    // The standard curves of the desktop's animations.
    static Motion linear(qint64 durationMs, Kind kind);
    static Motion easeOut(qint64 durationMs, Kind kind);
    static Motion easeInOut(qint64 durationMs, Kind kind);
    // 1 - (1 - p)^3: fast start, long gentle landing (resizes).
    static Motion cubicEaseOut(qint64 durationMs, Kind kind);
    // A spring from rest to rest with the given response (the period of the
    // undamped spring) and damping fraction (1 = no overshoot). Springs move
    // things, so they are always of kind Movement.
    static Motion spring(qreal responseSeconds, qreal dampingFraction);

    Kind kind() const { return m_kind; }
    // How long the motion runs; a spring runs until it stays within a
    // thousandth of its target.
    qint64 durationMs() const { return m_durationMs; }
    bool isSpring() const { return m_shape == Shape::Spring; }

    // The eased progress `elapsedMs` after the start: 0 at the start and
    // exactly 1 from durationMs() on. A spring may pass 1 on the way.
    qreal progress(qint64 elapsedMs) const;

private:
    enum class Shape { Curve, Spring };

    Motion(Shape shape, Kind kind, qint64 durationMs);
    qreal springPosition(qreal seconds) const;

    Shape m_shape = Shape::Curve;
    Kind m_kind = Kind::Movement;
    qint64 m_durationMs = 0;
    QEasingCurve m_curve;
    qreal m_omega = 0;   // natural angular frequency of the spring
    qreal m_damping = 1; // damping fraction
};

} // namespace Velmora
