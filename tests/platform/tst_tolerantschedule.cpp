#include "platform/linux/tolerantschedule.h"

#include <QTest>

using Velmora::Linux::TolerantSchedule;

namespace {

struct Job
{
    qint64 addedAt = 0;
    qint64 interval = 0;
    qint64 tolerance = 0;
};

} // namespace

Q_DECLARE_METATYPE(QList<Job>)

class TestTolerantSchedule : public QObject
{
    Q_OBJECT
private slots:
    void jobsDueCloseTogetherShareWakeUps_data()
    {
        QTest::addColumn<QList<Job>>("jobs");
        QTest::addColumn<int>("wakeUps");

        // The idle bar: the system monitor, the full-screen poll and the
        // store's refresh, started a few milliseconds apart.
        QTest::newRow("one a second, one every two, one every five")
            << QList<Job> { { 0, 1000, 200 }, { 7, 2000, 500 }, { 12, 5000, 1000 } } << 20;
        QTest::newRow("a late starter falls in with the beat")
            << QList<Job> { { 0, 1000, 200 }, { 900, 2000, 500 } } << 20;
        QTest::newRow("too far apart for the tolerances")
            << QList<Job> { { 0, 1000, 1 }, { 300, 1000, 500 } } << 40;
        QTest::newRow("a job alone") << QList<Job> { { 0, 700, 100 } } << 29;
    }
    void jobsDueCloseTogetherShareWakeUps()
    {
        QFETCH(QList<Job>, jobs);
        QFETCH(int, wakeUps);
        constexpr qint64 horizon = 20'500;

        TolerantSchedule schedule;
        QList<qint64> nextNominal(jobs.size());
        QList<int> runs(jobs.size(), 0);
        int wakes = 0;
        qint64 now = 0;
        qsizetype added = 0;
        for (;;) {
            const std::optional<qint64> wake = schedule.nextWakeMs();
            // Jobs are added at their times, between wake-ups.
            if (added < jobs.size() && (!wake || jobs[added].addedAt <= *wake)) {
                now = jobs[added].addedAt;
                schedule.add(TolerantSchedule::Id(added), now, jobs[added].interval, jobs[added].tolerance);
                nextNominal[added] = now + jobs[added].interval;
                ++added;
                continue;
            }
            QVERIFY(wake);
            QVERIFY(*wake >= now);
            if (*wake > horizon)
                break;
            now = *wake;
            ++wakes;
            const QList<TolerantSchedule::Id> due = schedule.takeDue(now);
            QVERIFY(!due.isEmpty());
            for (TolerantSchedule::Id id : due) {
                const Job &job = jobs[qsizetype(id)];
                // Never early, never later than the tolerance, and on the
                // job's own interval from when it was added.
                QVERIFY2(now >= nextNominal[id] && now <= nextNominal[id] + job.tolerance,
                    qPrintable(QStringLiteral("job %1 ran at %2, due %3").arg(id).arg(now).arg(nextNominal[id])));
                nextNominal[id] += job.interval;
                ++runs[id];
            }
        }
        for (qsizetype i = 0; i < jobs.size(); ++i)
            QCOMPARE(runs[i], int((horizon - jobs[i].addedAt) / jobs[i].interval));
        QCOMPARE(wakes, wakeUps);
    }

    void aStallRunsEachJobOnceAndKeepsTheBeat()
    {
        TolerantSchedule schedule;
        schedule.add(1, 0, 1000, 200);
        schedule.add(2, 0, 2000, 500);
        QCOMPARE(schedule.nextWakeMs(), 1000);
        // Asleep for a minute and a bit.
        QCOMPARE(schedule.takeDue(61'300), (QList<TolerantSchedule::Id> { 1, 2 }));
        QCOMPARE(schedule.nextWakeMs(), 62'000);
        QCOMPARE(schedule.takeDue(62'000), (QList<TolerantSchedule::Id> { 1, 2 }));
        QCOMPARE(schedule.takeDue(62'999), (QList<TolerantSchedule::Id> {}));
        schedule.remove(1);
        QVERIFY(!schedule.contains(1));
        QCOMPARE(schedule.nextWakeMs(), 64'000);
        schedule.remove(2);
        QVERIFY(schedule.isEmpty());
        QVERIFY(!schedule.nextWakeMs());
    }
};

QTEST_GUILESS_MAIN(TestTolerantSchedule)
#include "tst_tolerantschedule.moc"
