#include "platform/sim/virtualclock.h"
#include "store/windowpreviewdraghint.h"

#include <QSignalSpy>
#include <QTest>

using Velmora::Scheduler;
using Velmora::WindowPreviewDragHint;
using Velmora::Sim::VirtualClock;

namespace {

// The virtual clock, counting the jobs that actually run.
class CountingScheduler final : public Scheduler
{
public:
    explicit CountingScheduler(VirtualClock &clock)
        : m_clock(clock)
    {
    }

    JobId scheduleOnce(qint64 delayMs, QObject *context, std::function<void()> job) override
    {
        return m_clock.scheduleOnce(delayMs, context, [this, job = std::move(job)] {
            ++ran;
            job();
        });
    }
    JobId scheduleRepeating(qint64 intervalMs, qint64 toleranceMs, QObject *context,
                            std::function<void()> job) override
    {
        return m_clock.scheduleRepeating(intervalMs, toleranceMs, context, [this, job = std::move(job)] {
            ++ran;
            job();
        });
    }
    void cancel(JobId id) override { m_clock.cancel(id); }
    bool isScheduled(JobId id) const override { return m_clock.isScheduled(id); }

    int ran = 0;

private:
    VirtualClock &m_clock;
};

} // namespace

class TestWindowPreviewDragHint : public QObject
{
    Q_OBJECT
private slots:
    void showAgainRestartsTheFullDuration()
    {
        VirtualClock clock;
        WindowPreviewDragHint hint(WindowPreviewDragHint::pickerDurationMs, clock);
        hint.show();
        clock.advance(2000);
        hint.show();
        clock.advance(2499);
        QVERIFY(hint.isShowing());
        clock.advance(1);
        QVERIFY(!hint.isShowing());
        QCOMPARE(clock.pendingJobCount(), 0);
    }

    void hideEndsEarlyAndPublishesOnlyAChange()
    {
        VirtualClock clock;
        WindowPreviewDragHint hint(2500, clock);
        QSignalSpy changed(&hint, &WindowPreviewDragHint::isShowingChanged);
        hint.hide();
        QCOMPARE(changed.count(), 0);
        hint.show();
        hint.hide();
        QCOMPARE(changed.count(), 2);
        QCOMPARE(clock.pendingJobCount(), 0);
        clock.advance(5000);
        QCOMPARE(changed.count(), 2);
    }

    // The pending hide of a hint that is gone is dropped: it never runs on
    // the freed hint. (A live hint's hide does run, so the count means something.)
    void aHintThatIsGoneIsNeverTouched()
    {
        VirtualClock clock;
        CountingScheduler scheduler(clock);
        WindowPreviewDragHint live(2500, scheduler);
        live.show();
        auto *gone = new WindowPreviewDragHint(2500, scheduler);
        gone->show();
        QCOMPARE(clock.pendingJobCount(), 2);
        delete gone;
        clock.advance(3000);
        QCOMPARE(scheduler.ran, 1);
        QVERIFY(!live.isShowing());
        QCOMPARE(clock.pendingJobCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewDragHint)
#include "tst_windowpreviewdraghint.moc"
