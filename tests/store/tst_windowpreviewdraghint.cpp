#include "platform/sim/virtualclock.h"
#include "store/windowpreviewdraghint.h"

#include <QSignalSpy>
#include <QTest>

using Velmora::WindowPreviewDragHint;
using Velmora::Sim::VirtualClock;

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

    void aHintThatIsGoneIsNeverTouched()
    {
        VirtualClock clock;
        auto *hint = new WindowPreviewDragHint(2500, clock);
        hint->show();
        delete hint;
        clock.advance(3000); // would be a use after free under the sanitizer
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewDragHint)
#include "tst_windowpreviewdraghint.moc"
