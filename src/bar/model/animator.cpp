#include "bar/model/animator.h"

#include "platform/clock.h"

#include <vector>

namespace Velmora {

Animator::Animator(Clock &clock, Scheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_scheduler(scheduler)
{
}

Animator::~Animator()
{
    if (m_frameJob)
        m_scheduler.cancel(m_frameJob);
}

void Animator::setInstant(bool instant)
{
    m_instant = instant;
    if (instant)
        finishWhere([](const Animation &) { return true; });
}

void Animator::setReducesMotion(bool reduces)
{
    if (m_reducesMotion == reduces)
        return;
    m_reducesMotion = reduces;
    // Whatever is moving right now lands at once, as it would have had the
    // setting been on when it started.
    if (reduces)
        finishWhere([](const Animation &a) { return a.motion.kind() == Motion::Kind::Movement; });
    emit reducesMotionChanged(reduces);
}

bool Animator::jumps(const Motion &motion) const
{
    return m_instant || motion.durationMs() <= 0 || (m_reducesMotion && motion.kind() == Motion::Kind::Movement);
}

qint64 Animator::nowMs() const
{
    return m_clock.monotonicMs();
}

Animator::Id Animator::start(const Motion &motion, QObject *context, Step step, Finished finished)
{
    if (jumps(motion)) {
        if (step)
            step(1);
        if (finished)
            finished();
        return 0;
    }
    const Id id = m_nextId++;
    m_animations.emplace(id, Animation { motion, nowMs(), context ? context : this, std::move(step), std::move(finished) });
    updateFrameTimer();
    return id;
}

void Animator::stop(Id id)
{
    if (m_animations.erase(id))
        updateFrameTimer();
}

bool Animator::isRunning(Id id) const
{
    return m_animations.count(id) != 0;
}

void Animator::tick()
{
    const qint64 now = nowMs();
    std::vector<Id> ids;
    ids.reserve(m_animations.size());
    for (const auto &[id, animation] : m_animations)
        ids.push_back(id);
    for (const Id id : ids) {
        // A step may have stopped or started others; look each one up afresh.
        const auto found = m_animations.find(id);
        if (found == m_animations.end())
            continue;
        if (!found->second.context) {
            m_animations.erase(found);
            continue;
        }
        const qint64 elapsed = now - found->second.startMs;
        if (elapsed < found->second.motion.durationMs()) {
            if (found->second.step)
                found->second.step(found->second.motion.progress(elapsed));
            continue;
        }
        // Out of the table before the last callbacks, so they may start the
        // next animation of the same thing.
        Animation done = std::move(found->second);
        m_animations.erase(found);
        if (done.step)
            done.step(1);
        if (done.finished)
            done.finished();
    }
    updateFrameTimer();
}

void Animator::finishWhere(const std::function<bool(const Animation &)> &predicate)
{
    std::vector<Id> ids;
    for (const auto &[id, animation] : m_animations) {
        if (predicate(animation))
            ids.push_back(id);
    }
    for (const Id id : ids) {
        const auto found = m_animations.find(id);
        if (found == m_animations.end())
            continue;
        Animation done = std::move(found->second);
        m_animations.erase(found);
        if (!done.context)
            continue;
        if (done.step)
            done.step(1);
        if (done.finished)
            done.finished();
    }
    updateFrameTimer();
}

void Animator::updateFrameTimer()
{
    if (m_animations.empty()) {
        if (m_frameJob) {
            m_scheduler.cancel(m_frameJob);
            m_frameJob = 0;
        }
    } else if (!m_frameJob || !m_scheduler.isScheduled(m_frameJob)) {
        m_frameJob = m_scheduler.scheduleRepeating(frameIntervalMs, 0, this, [this] { tick(); });
    }
}

AnimatedValue::AnimatedValue(Animator &animator, QObject *context, qreal initial, std::function<void()> changed)
    : m_animator(&animator)
    , m_context(context)
    , m_changed(std::move(changed))
    , m_value(initial)
    , m_target(initial)
{
}

AnimatedValue::~AnimatedValue()
{
    stopRunning();
}

void AnimatedValue::animateTo(qreal target, const Motion &motion)
{
    if (target == m_target && (isAnimating() || m_value == target))
        return;
    stopRunning();
    m_target = target;
    if (!m_animator) {
        assign(target);
        return;
    }
    const qreal from = m_value;
    // The id is stored before the first step can run, and cleared by the
    // last one, so a jump leaves nothing behind.
    m_id = m_animator->start(
        motion, m_context, [this, from, target](qreal progress) { assign(from + (target - from) * progress); },
        [this] { m_id = 0; });
}

void AnimatedValue::setValue(qreal value)
{
    stopRunning();
    m_target = value;
    assign(value);
}

void AnimatedValue::stopRunning()
{
    if (m_id && m_animator)
        m_animator->stop(m_id);
    m_id = 0;
}

void AnimatedValue::assign(qreal value)
{
    if (m_value == value)
        return;
    m_value = value;
    if (m_changed)
        m_changed();
}

} // namespace Velmora
