#include "platform/sim/virtualclock.h"

#include <QTest>

using Velmora::Sim::VirtualClock;

class TestVirtualClock : public QObject
{
    Q_OBJECT
private slots:
    void jobsRunInDueOrderAtTheirDueTime()
    {
        VirtualClock clock;
        const qint64 start = clock.monotonicMs();
        QList<std::pair<int, qint64>> ran;
        clock.scheduleOnce(300, nullptr, [&] { ran.append({3, clock.monotonicMs() - start}); });
        clock.scheduleOnce(100, nullptr, [&] { ran.append({1, clock.monotonicMs() - start}); });
        clock.scheduleRepeating(150, 20, nullptr, [&] { ran.append({2, clock.monotonicMs() - start}); });

        clock.advance(310);
        const QList<std::pair<int, qint64>> expected{{1, 100}, {2, 150}, {3, 300}, {2, 300}};
        QCOMPARE(ran, expected);
        QCOMPARE(clock.monotonicMs() - start, 310);
    }

    // A blocked caller sees time pass but runs nothing; what fell due runs
    // at the next turn, in due order.
    void timeSpentBlockedRunsNoJobUntilTheNextTurn()
    {
        VirtualClock clock;
        const qint64 start = clock.monotonicMs();
        QList<int> ran;
        clock.scheduleOnce(20, nullptr, [&] { ran.append(2); });
        clock.scheduleOnce(10, nullptr, [&] { ran.append(1); });
        clock.elapse(15);
        clock.sleepMs(15);
        QVERIFY(ran.isEmpty());
        QCOMPARE(clock.monotonicMs() - start, 30);
        clock.runPending();
        QCOMPARE(ran, (QList<int>{1, 2}));
        QCOMPARE(clock.monotonicMs() - start, 30);

        // A repeating job that missed several ticks while blocked catches up
        // with one run and keeps its interval from there.
        QList<qint64> ticks;
        clock.scheduleRepeating(10, 0, nullptr, [&] { ticks.append(clock.monotonicMs() - start); });
        clock.elapse(35);
        clock.advance(10);
        QCOMPARE(ticks, (QList<qint64>{65, 75}));
    }

    void wallClockMovesWithMonotonicUntilSetByHand()
    {
        VirtualClock clock(5'000, 0);
        clock.advance(250);
        QCOMPARE(clock.wallClockMs(), 5'250);
        clock.setWallClockMs(1'000);
        clock.advance(10);
        QCOMPARE(clock.wallClockMs(), 1'010);
        QCOMPARE(clock.monotonicMs(), 260);
    }

    void cancelledAndOrphanedJobsNeverRun()
    {
        VirtualClock clock;
        int runs = 0;
        const auto id = clock.scheduleRepeating(10, 0, nullptr, [&] { ++runs; });
        auto *context = new QObject;
        clock.scheduleOnce(5, context, [&] { runs += 100; });
        delete context;
        clock.advance(25);
        QCOMPARE(runs, 2);
        clock.cancel(id);
        QVERIFY(!clock.isScheduled(id));
        clock.advance(100);
        QCOMPARE(runs, 2);
        QCOMPARE(clock.pendingJobCount(), 0);
    }

    void jobMayCancelItselfAndScheduleAnother()
    {
        VirtualClock clock;
        int runs = 0;
        Velmora::Scheduler::JobId id = 0;
        id = clock.scheduleRepeating(10, 0, nullptr, [&] {
            ++runs;
            clock.cancel(id);
            clock.scheduleOnce(0, nullptr, [&] { runs += 10; });
        });
        clock.advance(50);
        QCOMPARE(runs, 11);
    }
};

QTEST_GUILESS_MAIN(TestVirtualClock)
#include "tst_virtualclock.moc"
