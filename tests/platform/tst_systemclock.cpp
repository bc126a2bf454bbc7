#include "platform/linux/systemclock.h"

#include <QSignalSpy>
#include <QTest>

using Velmora::Linux::SystemClock;

// A few real-time checks of the QTimer-backed scheduler; product logic is
// tested on the virtual clock instead.
class TestSystemClock : public QObject
{
    Q_OBJECT
private slots:
    void oneShotRunsOnceAndForgetsItself()
    {
        SystemClock clock;
        int runs = 0;
        const auto id = clock.scheduleOnce(0, nullptr, [&] { ++runs; });
        QVERIFY(clock.isScheduled(id));
        QTRY_COMPARE(runs, 1);
        QVERIFY(!clock.isScheduled(id));
    }

    void contextDestructionCancels()
    {
        SystemClock clock;
        int runs = 0;
        auto *context = new QObject;
        const auto id = clock.scheduleRepeating(1, 0, context, [&] { ++runs; });
        delete context;
        QVERIFY(!clock.isScheduled(id));
        QTest::qWait(20);
        QCOMPARE(runs, 0);
    }

    void aTolerantJobNeverRunsEarlyAndMayCancelItself_data()
    {
        QTest::addColumn<qint64>("tolerance");
        QTest::newRow("precise") << qint64(0);
        QTest::newRow("tolerance too small to batch") << qint64(2);
        QTest::newRow("coarse") << qint64(40);
    }
    void aTolerantJobNeverRunsEarlyAndMayCancelItself()
    {
        QFETCH(qint64, tolerance);
        SystemClock clock;
        QObject context;
        int runs = 0;
        qint64 firstRunAfter = -1;
        const qint64 start = clock.monotonicMs();
        Velmora::Scheduler::JobId id = 0;
        id = clock.scheduleRepeating(100, tolerance, &context, [&] {
            ++runs;
            firstRunAfter = clock.monotonicMs() - start;
            clock.cancel(id);
        });
        QTRY_COMPARE(runs, 1);
        QVERIFY2(firstRunAfter >= 100, qPrintable(QString::number(firstRunAfter)));
        QVERIFY(!clock.isScheduled(id));
        QTest::qWait(250);
        QCOMPARE(runs, 1);
    }

    void monotonicNeverGoesBack()
    {
        SystemClock clock;
        const qint64 a = clock.monotonicMs();
        const qint64 b = clock.monotonicMs();
        QVERIFY(b >= a);
        QVERIFY(clock.wallClockMs() > 1'600'000'000'000);
    }
};

QTEST_GUILESS_MAIN(TestSystemClock)
#include "tst_systemclock.moc"
