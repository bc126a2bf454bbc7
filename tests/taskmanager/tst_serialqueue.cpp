#include "taskmanager/sampling/serialqueue.h"

#include <QTest>

#include <chrono>
#include <mutex>
#include <thread>

using namespace Velmora;
using Clock = std::chrono::steady_clock;

class TestSerialQueue : public QObject
{
    Q_OBJECT

private slots:
    // A repeating job runs on the queue's thread, on its beat and never
    // early, between ordinary jobs; cancelling it from its own run ends it.
    void repeatingJobKeepsItsBeatOnTheQueue()
    {
        SerialQueue queue(QStringLiteral("test-queue"));
        std::mutex mutex;
        std::vector<Clock::time_point> runs;
        std::thread::id jobThread;
        std::thread::id repeatingThread;
        queue.post([&] { jobThread = std::this_thread::get_id(); });
        constexpr auto interval = std::chrono::milliseconds(30);
        const Clock::time_point start = Clock::now();
        SerialQueue::RepeatingId id = 0;
        id = queue.postRepeating(interval.count(), 5, [&] {
            std::lock_guard lock(mutex);
            repeatingThread = std::this_thread::get_id();
            runs.push_back(Clock::now());
            if (runs.size() == 3)
                queue.cancelRepeating(id);
        });
        QVERIFY(id != 0);
        QVERIFY(QTest::qWaitFor([&] { std::lock_guard lock(mutex); return runs.size() == 3; }, 5000));
        // Ordinary jobs still run while it waits for its next turn.
        queue.waitForIdle();
        QTest::qWait(3 * interval.count());
        std::lock_guard lock(mutex);
        QCOMPARE(runs.size(), size_t(3));
        QCOMPARE(repeatingThread, jobThread);
        QVERIFY(repeatingThread != std::this_thread::get_id());
        for (size_t i = 0; i < runs.size(); ++i)
            QVERIFY(runs[i] >= start + interval * int(i + 1));
    }

    void shutDownQueueTakesNoRepeatingJob()
    {
        SerialQueue queue(QStringLiteral("test-queue"));
        queue.shutdown();
        QCOMPARE(queue.postRepeating(10, 0, [] {}), SerialQueue::RepeatingId(0));
    }
};

QTEST_GUILESS_MAIN(TestSerialQueue)
#include "tst_serialqueue.moc"
