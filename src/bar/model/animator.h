#pragma once

#include "bar/model/motion.h"
#include "platform/scheduler.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

namespace Velmora {

class Clock;

// The one place motion is timed. Every animation of the bar, the popovers,
// the picker and the Task Manager runs here, on the platform's clock and
// scheduler, so tests move virtual time instead of waiting and an idle
// desktop has no frame timer running at all.
//
// Two switches apply to everything that runs here:
// - instant mode: every motion jumps to its end (tests that only care about
//   end states, screenshots);
// - reduce motion: motions of kind Movement jump, fades still run, which is
//   what a user who asked the system to reduce motion expects.
class Animator : public QObject
{
    Q_OBJECT
public:
    using Id = quint64;
    using Step = std::function<void(qreal progress)>;
    using Finished = std::function<void()>;

    // Frames are stepped at about 60 per second while anything runs.
    static constexpr qint64 frameIntervalMs = 16;

    Animator(Clock &clock, Scheduler &scheduler, QObject *parent = nullptr);
    ~Animator() override;

    void setInstant(bool instant);
    bool isInstant() const { return m_instant; }
    void setReducesMotion(bool reduces);
    bool reducesMotion() const { return m_reducesMotion; }
    // Whether `motion` would jump to its end under the current switches.
    bool jumps(const Motion &motion) const;

    // Runs `motion`: `step` gets the eased progress on every frame and
    // exactly 1 at the end, then `finished` runs. A motion that jumps calls
    // step(1) and `finished` before start() returns and answers 0. The
    // animation is dropped, without a last step, when `context` is destroyed
    // (no context binds it to the animator).
    Id start(const Motion &motion, QObject *context, Step step, Finished finished = {});
    // Stops where it is: no last step, no `finished`. Unknown ids are ignored.
    void stop(Id id);
    bool isRunning(Id id) const;
    bool isIdle() const { return m_animations.empty(); }

    qint64 nowMs() const;

signals:
    void reducesMotionChanged(bool reduces);

private:
    struct Animation
    {
        Motion motion;
        qint64 startMs = 0;
        QPointer<QObject> context;
        Step step;
        Finished finished;
    };

    void tick();
    void finishWhere(const std::function<bool(const Animation &)> &predicate);
    void updateFrameTimer();

    Clock &m_clock;
    Scheduler &m_scheduler;
    std::map<Id, Animation> m_animations;
    Id m_nextId = 1;
    Scheduler::JobId m_frameJob = 0;
    bool m_instant = false;
    bool m_reducesMotion = false;
};

// One number that moves to its targets through an Animator. The owner reads
// value() when it paints and hears of every change through `changed`.
// Retargeting mid-way starts from where the value is, so nothing jumps.
// `context` is the owner, a QObject that holds the value as a member.
class AnimatedValue
{
public:
    AnimatedValue(Animator &animator, QObject *context, qreal initial, std::function<void()> changed = {});
    ~AnimatedValue();
    AnimatedValue(const AnimatedValue &) = delete;
    AnimatedValue &operator=(const AnimatedValue &) = delete;

    qreal value() const { return m_value; }
    qreal target() const { return m_target; }
    bool isAnimating() const { return m_id != 0; }

    // Moves to `target` with `motion`; nothing when already there or on the way.
    void animateTo(qreal target, const Motion &motion);
    // Jumps to `value`, stopping any motion.
    void setValue(qreal value);

private:
    void stopRunning();
    void assign(qreal value);

    QPointer<Animator> m_animator;
    QObject *m_context;
    std::function<void()> m_changed;
    qreal m_value;
    qreal m_target;
    Animator::Id m_id = 0;
};

} // namespace Velmora
