#include "bar/model/animator.h"
#include "platform/sim/virtualclock.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Velmora;

Q_DECLARE_METATYPE(Velmora::Motion)

class TestAnimator : public QObject
{
    Q_OBJECT
private slots:
    void curvesStartAtZeroAndLandExactlyOnOne_data()
    {
        QTest::addColumn<Motion>("motion");
        QTest::newRow("linear") << Motion::linear(200, Motion::Kind::Fade);
        QTest::newRow("ease out") << Motion::easeOut(120, Motion::Kind::Fade);
        QTest::newRow("ease in-out") << Motion::easeInOut(140, Motion::Kind::Movement);
        QTest::newRow("cubic ease out") << Motion::cubicEaseOut(220, Motion::Kind::Movement);
        QTest::newRow("bouncy spring") << Motion::spring(0.2, 0.85);
        QTest::newRow("critical spring") << Motion::spring(0.32, 1.0);
        QTest::newRow("overdamped spring") << Motion::spring(0.3, 1.5);
    }
    void curvesStartAtZeroAndLandExactlyOnOne()
    {
        QFETCH(Motion, motion);
        QVERIFY(motion.durationMs() > 0);
        QCOMPARE(motion.progress(0), 0.0);
        QCOMPARE(motion.progress(motion.durationMs()), 1.0);
        QCOMPARE(motion.progress(motion.durationMs() + 1000), 1.0);
        // Just before the end it is already close: no visible jump at the end.
        QVERIFY(qAbs(1 - motion.progress(motion.durationMs() - 1)) < 0.02);
    }

    void springsOvershootOnlyWhenUnderdamped()
    {
        auto peak = [](const Motion &motion) {
            qreal highest = 0;
            for (qint64 ms = 0; ms <= motion.durationMs(); ++ms)
                highest = qMax(highest, motion.progress(ms));
            return highest;
        };
        QVERIFY(peak(Motion::spring(0.2, 0.85)) > 1.0);
        QVERIFY(peak(Motion::spring(0.32, 1.0)) <= 1.0);
        // The settle time follows the response: a spring of 0.2 s is over
        // well within half a second.
        QVERIFY(Motion::spring(0.2, 0.85).durationMs() < 500);
        QCOMPARE(Motion::spring(0, 1).durationMs(), qint64(0));
    }

    // Frames come from the scheduler on the virtual clock; the last step is
    // exactly the end, and an idle animator leaves no frame timer behind.
    void runsFramesOnTheClockAndStopsWhenIdle()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        QList<qreal> steps;
        int finished = 0;
        const Animator::Id id = animator.start(
            Motion::linear(100, Motion::Kind::Fade), this, [&](qreal p) { steps.append(p); }, [&] { ++finished; });
        QVERIFY(animator.isRunning(id));
        QVERIFY(steps.isEmpty());
        clock.advance(Animator::frameIntervalMs);
        QCOMPARE(steps.size(), 1);
        QCOMPARE(steps.last(), 0.16);
        clock.advance(200);
        QCOMPARE(steps.last(), 1.0);
        QCOMPARE(finished, 1);
        QVERIFY(!animator.isRunning(id));
        QVERIFY(animator.isIdle());
        QCOMPARE(clock.pendingJobCount(), 0);
        for (int i = 1; i < steps.size(); ++i)
            QVERIFY(steps[i] >= steps[i - 1]);
    }

    // What each switch does to a movement and to a fade.
    void switchesDecideWhatJumps_data()
    {
        QTest::addColumn<bool>("instant");
        QTest::addColumn<bool>("reduceMotion");
        QTest::addColumn<bool>("movementJumps");
        QTest::addColumn<bool>("fadeJumps");
        QTest::newRow("normal") << false << false << false << false;
        QTest::newRow("reduce motion") << false << true << true << false;
        QTest::newRow("instant") << true << false << true << true;
    }
    void switchesDecideWhatJumps()
    {
        QFETCH(bool, instant);
        QFETCH(bool, reduceMotion);
        QFETCH(bool, movementJumps);
        QFETCH(bool, fadeJumps);
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        animator.setInstant(instant);
        animator.setReducesMotion(reduceMotion);
        for (const auto &[motion, jumps] : { std::pair { Motion::spring(0.2, 0.85), movementJumps },
                                             std::pair { Motion::easeOut(120, Motion::Kind::Fade), fadeJumps } }) {
            qreal last = -1;
            bool done = false;
            const Animator::Id id = animator.start(motion, this, [&](qreal p) { last = p; }, [&] { done = true; });
            // A jump lands before start() returns and leaves nothing running.
            QCOMPARE(done, jumps);
            QCOMPARE(id == 0, jumps);
            QCOMPARE(last == 1.0, jumps);
            clock.advance(1000);
            QVERIFY(done);
        }
    }

    // Turning reduce motion on lands what is moving, and lets fades run on.
    void reducingMotionMidwayLandsMovements()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        QSignalSpy changed(&animator, &Animator::reducesMotionChanged);
        qreal moved = 0;
        qreal faded = 0;
        animator.start(Motion::spring(0.3, 1.0), this, [&](qreal p) { moved = p; });
        const Animator::Id fade = animator.start(Motion::linear(300, Motion::Kind::Fade), this, [&](qreal p) { faded = p; });
        clock.advance(48);
        animator.setReducesMotion(true);
        QCOMPARE(moved, 1.0);
        QVERIFY(faded < 1.0);
        QVERIFY(animator.isRunning(fade));
        QCOMPARE(changed.count(), 1);
        animator.setReducesMotion(true);
        QCOMPARE(changed.count(), 1);
    }

    void animationOfADestroyedContextIsDropped()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        auto context = std::make_unique<QObject>();
        int steps = 0;
        animator.start(Motion::linear(100, Motion::Kind::Fade), context.get(), [&](qreal) { ++steps; });
        clock.advance(32);
        const int before = steps;
        context.reset();
        clock.advance(200);
        QCOMPARE(steps, before);
        QVERIFY(animator.isIdle());
    }

    // Retargeting starts from where the value is, so nothing jumps; the
    // owner hears of every change and of nothing else.
    void animatedValueRetargetsFromWhereItIs()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        int changes = 0;
        AnimatedValue value(animator, this, 0, [&] { ++changes; });
        const Motion motion = Motion::linear(100, Motion::Kind::Movement);
        value.animateTo(1, motion);
        clock.advance(48);
        const qreal midway = value.value();
        QVERIFY(midway > 0.4 && midway < 0.5);
        value.animateTo(1, motion); // already on its way: nothing restarts
        clock.advance(16);
        QVERIFY(value.value() > midway);
        const qreal turn = value.value();
        value.animateTo(0, motion);
        QCOMPARE(value.value(), turn);
        clock.advance(16);
        QVERIFY(value.value() < turn);
        clock.advance(200);
        QCOMPARE(value.value(), 0.0);
        QVERIFY(!value.isAnimating());
        const int settled = changes;
        value.animateTo(0, motion);
        value.setValue(0);
        QCOMPARE(changes, settled);
        animator.setInstant(true);
        value.animateTo(1, motion);
        QCOMPARE(value.value(), 1.0);
        QVERIFY(!value.isAnimating());
    }
};

QTEST_GUILESS_MAIN(TestAnimator)
#include "tst_animator.moc"
