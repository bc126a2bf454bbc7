#include "services/minimizeshortcuttap.h"

#include "support/servicesworld.h"

#include "platform/eventtap.h"
#include "services/servicelabels.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

using namespace Velmora;
using Shortcut = MinimizeShortcutTap::Shortcut;
using Velmora::Test::ServicesWorld;

namespace {

KeyEvent key(const QString &characters, quint64 flags = CommandFlag, bool isAutorepeat = false, quint16 keyCode = 46)
{
    KeyEvent event;
    event.keyCode = keyCode;
    event.flags = flags;
    event.isAutorepeat = isAutorepeat;
    event.characters = characters;
    return event;
}

// Key taps that note where each was made and removed, and how many live.
class TrackedEventTaps final : public EventTaps
{
public:
    explicit TrackedEventTaps(EventTaps &inner)
        : m_inner(inner)
    {
    }

    std::atomic<int> live { 0 };
    std::atomic<int> madeElsewhere { 0 };
    std::atomic<int> removedElsewhere { 0 };
    std::atomic<int> removedUnused { 0 };
    // When set, a tap is only made once the semaphore is released.
    QSemaphore *gate = nullptr;
    // When set, the tap thread's first enabling waits until someone else has
    // disabled the tap: it then enters its loop only after stop() has run.
    bool holdEnablingUntilDisabled = false;
    QSemaphore disabled;

    using EventTaps::createMouseTap;
    std::unique_ptr<EventTap> createMouseTap(quint64 eventMask, QObject *context, MouseCallback callback) override
    {
        return m_inner.createMouseTap(eventMask, context, std::move(callback));
    }
    std::unique_ptr<EventTap> createKeyTap(KeyCallback callback) override
    {
        if (gate)
            gate->acquire();
        std::unique_ptr<EventTap> tap = m_inner.createKeyTap(std::move(callback));
        if (!tap)
            return nullptr;
        madeElsewhere += !onTapThread();
        return std::make_unique<Tap>(*this, std::move(tap));
    }
    bool preflightPostEventAccess() const override { return m_inner.preflightPostEventAccess(); }
    void postKeyEvent(qint32 pid, const KeyEvent &event) override { m_inner.postKeyEvent(pid, event); }
    double secondsSinceLastEvent(std::optional<InputEventType> type) const override
    {
        return m_inner.secondsSinceLastEvent(type);
    }
    quint32 pressedMouseButtons() const override { return m_inner.pressedMouseButtons(); }
    std::optional<InputEvent> currentEvent() const override { return m_inner.currentEvent(); }

private:
    static bool onTapThread()
    {
        return QThread::currentThread()->objectName() == ServiceLabels::MinimizeShortcutTapThread;
    }

    class Tap final : public EventTap
    {
    public:
        Tap(TrackedEventTaps &owner, std::unique_ptr<EventTap> inner)
            : m_owner(owner)
            , m_inner(std::move(inner))
        {
            ++m_owner.live;
        }
        ~Tap() override
        {
            --m_owner.live;
            m_owner.removedElsewhere += !onTapThread();
            m_owner.removedUnused += !m_enabledOnce;
        }
        void setEnabled(bool enabled) override
        {
            if (!enabled)
                m_owner.disabled.release();
            else if (m_owner.holdEnablingUntilDisabled && onTapThread())
                m_owner.disabled.acquire();
            if (enabled)
                m_enabledOnce = true;
            m_inner->setEnabled(enabled);
        }
        bool isEnabled() const override { return m_inner->isEnabled(); }

    private:
        TrackedEventTaps &m_owner;
        std::unique_ptr<EventTap> m_inner;
        std::atomic<bool> m_enabledOnce { false };
    };

    EventTaps &m_inner;
};

struct TapWorld : ServicesWorld
{
    struct Handed
    {
        KeyEvent event;
        Shortcut shortcut;
        qint32 pid;
        quint32 windowID;
        bool onMainThread;
    };

    TrackedEventTaps eventTaps { platform.eventTaps };
    // What the window stack says below the front window; the stack itself is tested with it.
    std::optional<quint32> frontWindow = 42;
    QList<Handed> handed;
    MinimizeShortcutTap tap { eventTaps, workspace, [this](const RunningApplication &) { return frontWindow; },
        [this](const KeyEvent &event, Shortcut shortcut, const RunningApplication &application, quint32 windowID) {
            handed.append({ event, shortcut, application.processIdentifier, windowID,
                QThread::currentThread() == QCoreApplication::instance()->thread() });
        } };
    qint32 editor = addApp("Editor");

    TapWorld() { addWindow(editor, { 100, 100, 600, 400 }); }

    void startInstalled()
    {
        tap.start();
        QTRY_VERIFY(tap.isTapInstalled());
    }

    // Activation notifications arrive through the desktop's scheduler.
    void activate(qint32 pid)
    {
        desktop.makeFrontmost(pid);
        clock.runPending();
    }
};

} // namespace

class TestMinimizeShortcutTap : public QObject
{
    Q_OBJECT
private slots:
    void targetsCommandMAndWAlone_data()
    {
        QTest::addColumn<KeyEvent>("event");
        QTest::addColumn<QString>("shortcut");

        QTest::newRow("Command-M") << key("m") << "minimize";
        QTest::newRow("Command-W") << key("w", CommandFlag, false, 13) << "close";
        QTest::newRow("Command-M with Caps Lock") << key("M", CommandFlag | AlphaShiftFlag) << "minimize";
        QTest::newRow("keypad and function bits are not examined")
            << key("w", CommandFlag | NumericPadFlag | SecondaryFnFlag | HelpFlag) << "close";
        QTest::newRow("Command-Shift-M") << key("M", CommandFlag | ShiftFlag) << "";
        QTest::newRow("Command-Option-W") << key("w", CommandFlag | AlternateFlag) << "";
        QTest::newRow("Control-Command-M") << key("m", CommandFlag | ControlFlag) << "";
        QTest::newRow("M without Command") << key("m", 0) << "";
        QTest::newRow("Control-M") << key("m", ControlFlag) << "";
        QTest::newRow("an auto-repeat of Command-M") << key("m", CommandFlag, true) << "";
        QTest::newRow("Command-N") << key("n") << "";
        QTest::newRow("the layout decides, not the key code") << key(",", CommandFlag, false, 46) << "";
        QTest::newRow("another key that types m") << key("m", CommandFlag, false, 41) << "minimize";
        QTest::newRow("more than one character") << key("mm") << "";
        QTest::newRow("no character") << key("") << "";
    }
    void targetsCommandMAndWAlone()
    {
        QFETCH(KeyEvent, event);
        QFETCH(QString, shortcut);
        TapWorld world;
        world.activate(world.editor);
        world.startInstalled();

        const auto target = world.tap.target(event);
        const QString found = !target ? QString() : target->shortcut == Shortcut::minimize ? "minimize" : "close";
        QCOMPARE(found, shortcut);
        if (target) {
            QCOMPARE(target->application.processIdentifier, world.editor);
            QCOMPARE(target->windowID, 42u);
        }
    }

    void targetsOnlyARegularFrontApplicationWithAnotherBelow_data()
    {
        QTest::addColumn<QString>("frontmost");
        QTest::addColumn<bool>("windowBelow");
        QTest::addColumn<bool>("taken");

        QTest::newRow("a regular application") << "Editor" << true << true;
        QTest::newRow("nothing below its front window") << "Editor" << false << false;
        QTest::newRow("an accessory application") << "Helper" << true << false;
        QTest::newRow("this application") << "self" << true << false;
        QTest::newRow("no application") << "" << true << false;
    }
    void targetsOnlyARegularFrontApplicationWithAnotherBelow()
    {
        QFETCH(QString, frontmost);
        QFETCH(bool, windowBelow);
        QFETCH(bool, taken);

        TapWorld world;
        const qint32 helper = world.addApp("Helper");
        world.desktop.updateProcess(helper, [](Sim::SimProcess &p) { p.policy = ActivationPolicy::Accessory; });
        world.frontWindow = windowBelow ? std::optional<quint32>(42) : std::nullopt;
        world.startInstalled();
        // The tap follows activations after it started.
        if (frontmost == "Editor")
            world.activate(world.editor);
        else if (frontmost == "Helper")
            world.activate(helper);
        else if (frontmost == "self")
            world.activate(world.desktop.selfPid());
        QCOMPARE(world.tap.target(key("m")).has_value(), taken);
    }

    void swallowsTheKeyAndHandsItToTheMainThread()
    {
        TapWorld world;
        world.activate(world.editor);
        world.startInstalled();

        QVERIFY(!world.desktop.pressKey(key("m")));
        QVERIFY(world.handed.isEmpty());
        QTRY_COMPARE(world.handed.size(), 1);
        const TapWorld::Handed &handed = world.handed.first();
        QCOMPARE(handed.event, key("m"));
        QCOMPARE(handed.shortcut, Shortcut::minimize);
        QCOMPARE(handed.pid, world.editor);
        QCOMPARE(handed.windowID, 42u);
        QVERIFY(handed.onMainThread);
        // The application never saw it.
        world.clock.advance(1000);
        QVERIFY(!world.desktop.window(world.desktop.process(world.editor)->windowOrder.first())->minimized);

        // Every other key reaches the application.
        QVERIFY(world.desktop.pressKey(key("n")));
        QVERIFY(world.desktop.pressKey(key("m", CommandFlag, true)));
        QCoreApplication::processEvents();
        QCOMPARE(world.handed.size(), 1);
    }

    void turnsItselfBackOnWhenTheSystemTurnsItOff()
    {
        TapWorld world;
        world.activate(world.editor);
        world.startInstalled();
        world.desktop.disableEventTaps(InputEventType::TapDisabledByUserInput);
        QTRY_VERIFY(!world.desktop.pressKey(key("w")));
    }

    void asksAgainForATapTheSystemRefused()
    {
        TapWorld world;
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CreateKeyTap).once());
        world.tap.start();
        QVERIFY(world.tap.isStarted());
        QTRY_VERIFY(!world.tap.isTapThreadRunning());
        QVERIFY(!world.tap.isTapInstalled());

        world.startInstalled();
        QCOMPARE(world.callsTo(Sim::SimOperations::CreateKeyTap), 2);
        // Started: a further start changes nothing.
        world.tap.start();
        QCOMPARE(world.callsTo(Sim::SimOperations::CreateKeyTap), 2);
    }

    void withoutPermissionToPostEventsNothingStarts()
    {
        TapWorld world;
        world.desktop.setPostEventAccess(false);
        world.tap.start();
        QVERIFY(!world.tap.isStarted());
        QCOMPARE(world.callsTo(Sim::SimOperations::CreateKeyTap), 0);
    }

    void stopBeforeTheTapIsMadeLeavesNoTap()
    {
        TapWorld world;
        QSemaphore gate;
        world.eventTaps.gate = &gate;
        world.tap.start();
        // The tap thread is held inside the tap's creation until after stop() has begun.
        std::thread opener([&gate] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            gate.release();
        });
        world.tap.stop();
        opener.join();
        QVERIFY(!world.tap.isStarted());
        QCOMPARE(world.eventTaps.live.load(), 0);
        QCOMPARE(world.eventTaps.removedUnused.load(), 1);
        QCOMPARE(world.eventTaps.removedElsewhere.load(), 0);
    }

    void stopBeforeTheLoopRunsEndsTheThread()
    {
        TapWorld world;
        world.eventTaps.holdEnablingUntilDisabled = true;
        world.tap.start();
        QTRY_VERIFY(world.tap.isTapInstalled());
        // The thread has published its tap and loop but not entered the loop.
        world.tap.stop();
        QVERIFY(!world.tap.isStarted());
        QCOMPARE(world.eventTaps.live.load(), 0);
    }

    void stopRacesStart()
    {
        TapWorld world;
        world.activate(world.editor);
        for (int round = 0; round < 300; ++round) {
            world.tap.start();
            // Stop at every stage: before the thread runs, while it makes its
            // tap, before and after it enters its loop.
            if (round % 3 == 1)
                QThread::yieldCurrentThread();
            else if (round % 3 == 2)
                QThread::usleep(round % 50);
            world.tap.stop();
            QVERIFY(!world.tap.isTapInstalled());
            QCOMPARE(world.eventTaps.live.load(), 0);
        }
        QCOMPARE(world.eventTaps.madeElsewhere.load(), 0);
        QCOMPARE(world.eventTaps.removedElsewhere.load(), 0);

        // Still works after all that, and the key reaches the application once stopped.
        world.startInstalled();
        QVERIFY(!world.desktop.pressKey(key("m")));
        world.tap.stop();
        QVERIFY(world.desktop.pressKey(key("m")));
    }
};

QTEST_GUILESS_MAIN(TestMinimizeShortcutTap)
#include "tst_minimizeshortcuttap.moc"
