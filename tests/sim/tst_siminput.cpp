#include "support/desktopworld.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <atomic>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

namespace {

const KeyEvent CommandM{InputEventType::KeyDown, 46, CommandFlag, false, "m"};

// A thread with an event loop, as the shortcut tap's own thread is, which
// sets up its tap before its loop runs.
class TapThread final : public QThread
{
public:
    explicit TapThread(std::function<void()> setUp)
        : m_setUp(std::move(setUp))
    {
        start();
        m_ready.acquire();
    }
    ~TapThread() override
    {
        quit();
        wait();
    }

protected:
    void run() override
    {
        m_setUp();
        m_ready.release();
        exec();
    }

private:
    std::function<void()> m_setUp;
    QSemaphore m_ready;
};

} // namespace

class TestSimInput : public QObject
{
    Q_OBJECT
private slots:
    // A mouse tap hears the event kinds of its mask and nothing else, and
    // every tap hears that it was turned off.
    void mouseTapsHearOnlyTheKindsInTheirMask()
    {
        InterleavedWorld world;
        QList<InputEventType> left, rightAndMoves;
        auto leftTap = world.eventTaps.createMouseTap(this, [&](const MouseEvent &e) { left.append(e.type); });
        auto otherTap = world.eventTaps.createMouseTap(
            eventMaskBit(InputEventType::RightMouseDown) | eventMaskBit(InputEventType::MouseMoved), this,
            [&](const MouseEvent &e) { rightAndMoves.append(e.type); });
        const QPointF nowhere(1400, 20);
        for (InputEventType type : {InputEventType::MouseMoved, InputEventType::RightMouseDown,
                                    InputEventType::RightMouseUp, InputEventType::LeftMouseDown,
                                    InputEventType::LeftMouseUp, InputEventType::OtherMouseDown})
            world.desktop.mouseEvent(type, nowhere);
        QCOMPARE(left, (QList<InputEventType>{InputEventType::LeftMouseDown, InputEventType::LeftMouseUp}));
        QCOMPARE(rightAndMoves, (QList<InputEventType>{InputEventType::MouseMoved, InputEventType::RightMouseDown}));

        world.desktop.disableEventTaps(InputEventType::TapDisabledByUserInput);
        QCOMPARE(left.last(), InputEventType::TapDisabledByUserInput);
        QCOMPARE(rightAndMoves.last(), InputEventType::TapDisabledByUserInput);
        // A removed tap hears nothing more.
        otherTap.reset();
        world.desktop.disableEventTaps(InputEventType::TapDisabledByTimeout);
        QCOMPARE(rightAndMoves.size(), 3);
        QCOMPARE(left.size(), 4);
    }

    void theDesktopKnowsThePressedButtonsAndTheCurrentEvent()
    {
        InterleavedWorld world;
        QCOMPARE(world.eventTaps.currentEvent(), std::nullopt);
        world.desktop.mouseEvent(InputEventType::LeftMouseDown, QPointF(1400, 20));
        world.clock.advance(10);
        world.desktop.mouseEvent(InputEventType::RightMouseDown, QPointF(1401, 21));
        QCOMPARE(world.eventTaps.pressedMouseButtons(), 3u);
        QCOMPARE(world.eventTaps.currentEvent()->type, InputEventType::RightMouseDown);
        QCOMPARE(world.eventTaps.currentEvent()->location, QPointF(1401, 21));
        world.desktop.mouseEvent(InputEventType::LeftMouseUp, QPointF(1401, 21));
        QCOMPARE(world.eventTaps.pressedMouseButtons(), 2u);
        world.desktop.pressKey(CommandM);
        QCOMPARE(world.eventTaps.currentEvent()->type, InputEventType::KeyDown);
        QCOMPARE(world.eventTaps.currentEvent()->flags, quint64(CommandFlag));
        QCOMPARE(world.eventTaps.currentEvent()->timestampMs, world.clock.monotonicMs());
    }

    // The key waits while the tap answers on the thread that created it.
    void aKeyTapAnswersOnTheThreadThatCreatedIt_data()
    {
        QTest::addColumn<bool>("onItsThread");
        QTest::newRow("its own thread") << true;
        QTest::newRow("the delivering thread (behaviour off)") << false;
    }
    void aKeyTapAnswersOnTheThreadThatCreatedIt()
    {
        QFETCH(bool, onItsThread);
        InterleavedWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.keyTapsRunOnTheirThread = onItsThread;
        world.desktop.setKnobs(knobs);
        std::atomic<QThread *> answeredOn = nullptr;
        std::unique_ptr<EventTap> tap;
        TapThread tapThread([&] {
            tap = world.eventTaps.createKeyTap([&](const KeyEvent &) {
                answeredOn = QThread::currentThread();
                return EventTaps::KeyDecision::Swallow;
            });
        });
        QVERIFY(tap);
        QVERIFY(!world.desktop.pressKey(CommandM));
        QCOMPARE(answeredOn.load(), onItsThread ? static_cast<QThread *>(&tapThread) : QThread::currentThread());
        tap.reset();
    }

    // Stopping a tap while its thread answers: the answer under way finishes
    // before the stop returns, and none comes after it.
    void aTapStoppedWhileItAnswers()
    {
        InterleavedWorld world;
        QSemaphore answering, goOn, stopping;
        std::atomic<int> answers = 0;
        std::atomic<bool> finished = false;
        std::unique_ptr<EventTap> tap;
        TapThread tapThread([&] {
            tap = world.eventTaps.createKeyTap([&](const KeyEvent &event) {
                if (event.type != InputEventType::KeyDown)
                    return EventTaps::KeyDecision::Pass;
                answering.release();
                goOn.tryAcquire(1, 10'000);
                ++answers;
                finished = true;
                return EventTaps::KeyDecision::Swallow;
            });
        });
        std::unique_ptr<QThread> user(QThread::create([&] { world.desktop.pressKey(CommandM); }));
        std::unique_ptr<QThread> opener(QThread::create([&] {
            stopping.acquire();
            goOn.release();
        }));
        user->start();
        opener->start();
        QVERIFY(answering.tryAcquire(1, 10'000));
        stopping.release();
        tap.reset();
        QVERIFY(finished);
        QVERIFY(user->wait(10'000));
        QVERIFY(opener->wait(10'000));

        QVERIFY(world.desktop.pressKey(CommandM));
        QCOMPARE(answers.load(), 1);
    }

    // A tap that answers too slowly is turned off and hears so; the key passes.
    void aSlowTapIsTurnedOff()
    {
        InterleavedWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.keyTapTimeoutMs = 50;
        world.desktop.setKnobs(knobs);
        QSemaphore goOn;
        std::atomic<bool> heardDisabled = false;
        std::unique_ptr<EventTap> tap;
        TapThread tapThread([&] {
            tap = world.eventTaps.createKeyTap([&](const KeyEvent &event) {
                if (event.type == InputEventType::TapDisabledByTimeout)
                    heardDisabled = true;
                else
                    goOn.tryAcquire(1, 10'000);
                return EventTaps::KeyDecision::Swallow;
            });
        });
        QVERIFY(world.desktop.pressKey(CommandM));
        QVERIFY(!tap->isEnabled());
        goOn.release();
        QTRY_VERIFY(heardDisabled.load());
        world.clock.advance(1000);
        QVERIFY(world.desktop.window(world.b1)->minimized);
        tap.reset();
    }
};

QTEST_GUILESS_MAIN(TestSimInput)
#include "tst_siminput.moc"
