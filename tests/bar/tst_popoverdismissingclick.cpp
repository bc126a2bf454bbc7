#include "bar/model/popoverdismissingclick.h"
#include "platform/sim/virtualclock.h"
#include "popoverfakes.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Test;

namespace {

const QRectF anchor(100, 843, 44, 44);
const QPointF onAnchor(122, 865);
const QPointF onOtherButton(300, 865);

} // namespace

class TestPopoverDismissingClick : public QObject
{
    Q_OBJECT
private slots:
    void recordsOnlyAClickAndAnswersOnce_data()
    {
        QTest::addColumn<QString>("closedBy");  // what the user did as the popover closed
        QTest::addColumn<QString>("pressAt");   // where the next press lands
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<bool>("consumed");
        QTest::newRow("press on the anchor") << "down at anchor" << "same press" << true << true;
        QTest::newRow("right press on the anchor") << "right down at anchor" << "same press" << true << true;
        QTest::newRow("release within 0.1 s") << "recent up" << "same press" << true << true;
        QTest::newRow("press on another button") << "down at other" << "same press" << true << false;
        QTest::newRow("key press") << "key" << "new press at anchor" << false << false;
        QTest::newRow("the program, long after a click") << "nothing" << "new press at anchor" << true << false;
        QTest::newRow("a later press on the anchor") << "down at anchor" << "new press at anchor" << true << false;
        QTest::newRow("another press in between") << "down at anchor" << "after another press" << true << false;
        QTest::newRow("anchor in no window") << "no anchor" << "same press" << false << false;
    }
    void recordsOnlyAClickAndAnswersOnce()
    {
        QFETCH(QString, closedBy);
        QFETCH(QString, pressAt);
        QFETCH(bool, recorded);
        QFETCH(bool, consumed);
        Sim::VirtualClock clock;
        FakePointer pointer;
        PopoverDismissingClick click(pointer, clock);
        // The popover opened with a click a while ago.
        pointer.event(InputEventType::LeftMouseDown, onAnchor, clock.monotonicMs());
        pointer.event(InputEventType::LeftMouseUp, onAnchor, clock.monotonicMs() + 80);
        clock.advance(5000);

        std::optional<QRectF> frame = anchor;
        const qint64 now = clock.monotonicMs();
        if (closedBy == "down at anchor" || closedBy == "no anchor")
            pointer.event(InputEventType::LeftMouseDown, onAnchor, now);
        else if (closedBy == "right down at anchor")
            pointer.event(InputEventType::RightMouseDown, onAnchor, now);
        else if (closedBy == "down at other")
            pointer.event(InputEventType::LeftMouseDown, onOtherButton, now);
        else if (closedBy == "recent up")
            pointer.event(InputEventType::LeftMouseUp, onAnchor, now - 60);
        else if (closedBy == "key")
            pointer.current = InputEvent{InputEventType::KeyDown, {}, 0, 53, now};
        // "nothing": the last click was seconds ago but is still the latest event.
        if (closedBy == "no anchor")
            frame.reset();
        click.record(frame);
        QCOMPARE(click.hasRecord(), recorded);

        if (pressAt == "new press at anchor") {
            clock.advance(300);
            pointer.event(InputEventType::LeftMouseDown, onAnchor, clock.monotonicMs());
        } else if (pressAt == "after another press") {
            clock.advance(200);
            pointer.event(InputEventType::LeftMouseDown, onOtherButton, clock.monotonicMs());
            clock.advance(50);
            pointer.event(InputEventType::LeftMouseUp, onOtherButton, clock.monotonicMs());
            pointer.location = onAnchor;
        }
        QCOMPARE(click.consume(), consumed);
        QVERIFY(!click.hasRecord());
        QVERIFY(!click.consume());
    }

    void msSinceLastTakesTheLatestOfTheTypes()
    {
        Sim::VirtualClock clock;
        FakePointer pointer;
        PopoverDismissingClick click(pointer, clock);
        QCOMPARE(click.msSinceLast(PopoverDismissingClick::mouseDownTypes), std::nullopt);
        QCOMPARE(click.msSinceLast({}), std::nullopt);
        pointer.last.insert(quint32(InputEventType::RightMouseDown), clock.monotonicMs() - 300);
        pointer.last.insert(quint32(InputEventType::OtherMouseDown), clock.monotonicMs() - 40);
        QCOMPARE(click.msSinceLast(PopoverDismissingClick::mouseDownTypes), qint64(40));
        QCOMPARE(click.msSinceLast(PopoverDismissingClick::mouseUpTypes), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestPopoverDismissingClick)
#include "tst_popoverdismissingclick.moc"
