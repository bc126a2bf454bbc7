#include "support/desktopworld.h"

#include "platform/axnames.h"
#include "platform/sim/simoperations.h"

#include <QSignalSpy>
#include <QThread>
#include <QTest>

#include <atomic>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimDesktop : public QObject
{
    Q_OBJECT
private slots:
    // The desktop raises all of an application's windows when it activates;
    // only the private front-process call and "AXRaise" move one window alone.
    void activationRaisesSiblingsButFocusingOneWindowDoesNot_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("expected"); // front to back, then the frontmost app
        QTest::newRow("workspace activate") << "activate" << QStringList{"a1", "a2", "b1", "b2", "alpha"};
        QTest::newRow("AXFrontmost true") << "frontmost" << QStringList{"a1", "a2", "b1", "b2", "alpha"};
        QTest::newRow("front process with window") << "setFront" << QStringList{"a2", "b1", "a1", "b2", "alpha"};
        QTest::newRow("front process, no window") << "makeFrontmost" << QStringList{"b1", "a1", "b2", "a2", "alpha"};
        QTest::newRow("AXRaise") << "raise" << QStringList{"a2", "b1", "a1", "b2", "beta"};
        QTest::newRow("AXMain") << "main" << QStringList{"b1", "a2", "a1", "b2", "beta"};
    }
    void activationRaisesSiblingsButFocusingOneWindowDoesNot()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, expected);
        InterleavedWorld world;
        auto &p = world.platform;
        const AXElement a2 = world.desktop.windowElement(world.a2);
        ProcessSerialNumber psn;
        if (how == "activate") {
            QVERIFY(p.workspace.activate(world.alpha, 0));
        } else if (how == "frontmost") {
            QCOMPARE(p.accessibility.setAttributeValue(p.accessibility.applicationElement(world.alpha),
                                                       AXNames::Frontmost, AXValue::fromBool(true)),
                     AXError::Success);
        } else if (how == "setFront" || how == "makeFrontmost") {
            QCOMPARE(p.privateFunctions.getProcessForPID()(world.alpha, &psn), 0);
            const bool oneWindow = how == "setFront";
            QCOMPARE(p.privateFunctions.slpsSetFrontProcessWithOptions()(psn, oneWindow ? world.a2 : 0,
                                                                        oneWindow ? 0x200 : 0x400),
                     0);
            if (oneWindow) {
                const auto post = p.privateFunctions.slpsPostEventRecordTo(PrivateFunctions::SLPSPostEventRecordToName);
                for (int kind : {1, 2})
                    QCOMPARE(post(psn, Test::eventRecord(kind, world.a2)), 0);
            }
        } else if (how == "raise") {
            QCOMPARE(p.accessibility.performAction(a2, AXNames::Raise), AXError::Success);
        } else {
            QCOMPARE(p.accessibility.setAttributeValue(a2, AXNames::Main, AXValue::fromBool(true)), AXError::Success);
        }
        world.clock.advance(1000);

        QCOMPARE(world.stackAndFrontmost(), expected);
    }

    // What the guard against rising siblings has to undo: the active
    // application's next window comes forward after a minimize or close,
    // and a restore activates the whole application.
    void siblingsRiseAfterMinimizeCloseAndRestore_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("siblingsRise");
        QTest::addColumn<QStringList>("expected"); // on screen, front to back, then the frontmost app
        QTest::newRow("minimize") << "minimize" << true << QStringList{"b2", "a1", "a2", "beta"};
        QTest::newRow("minimize, no raise") << "minimize" << false << QStringList{"a1", "b2", "a2", "beta"};
        QTest::newRow("close") << "close" << true << QStringList{"b2", "a1", "a2", "beta"};
        QTest::newRow("restore") << "restore" << true << QStringList{"a1", "a2", "b1", "b2", "alpha"};
        QTest::newRow("restore, no raise") << "restore" << false << QStringList{"a1", "b1", "b2", "a2", "beta"};
    }
    void siblingsRiseAfterMinimizeCloseAndRestore()
    {
        QFETCH(QString, action);
        QFETCH(bool, siblingsRise);
        QFETCH(QStringList, expected);
        InterleavedWorld world;
        for (qint32 pid : {world.alpha, world.beta})
            world.desktop.updateProcess(pid, [&](SimProcess &p) { p.siblingsRise = siblingsRise; });
        if (action == "minimize") {
            QVERIFY(world.desktop.beginMinimize(world.b1));
        } else if (action == "close") {
            QVERIFY(world.desktop.beginClose(world.b1));
        } else {
            world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.minimized = true; });
            QVERIFY(world.desktop.beginRestore(world.a1));
        }
        world.clock.advance(1000);

        QCOMPARE(world.stackAndFrontmost(), expected);
    }

    // Minimizing and closing land after the application's duration; a close
    // that asks to save leaves the window open behind a sheet.
    void minimizeAndCloseTakeTimeAndACloseCanStopAtASheet()
    {
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        world.desktop.updateProcess(world.alpha, [](SimProcess &p) {
            p.minimizeDurationMs = 400;
            p.closeDurationMs = 150;
        });
        world.desktop.updateWindow(world.a2, [](SimWindow &w) { w.closeShowsSheet = true; });
        const AXElement a1 = world.desktop.windowElement(world.a1);
        const AXElement a2 = world.desktop.windowElement(world.a2);
        QList<QString> notified;
        auto observer = ax.createObserver(world.alpha, this, [&](const AXElement &, const QString &name) {
            notified.append(name);
        });
        QVERIFY(observer);
        QCOMPARE(observer->addNotification(a1, AXNames::UIElementDestroyed), AXError::Success);
        QCOMPARE(observer->addNotification(a1, AXNames::UIElementDestroyed), AXError::NotificationAlreadyRegistered);

        const AXElement minimizeButton = *ax.copyAttributeValue(a1, AXNames::MinimizeButton).value()->toElement();
        QCOMPARE(ax.performAction(minimizeButton, AXNames::Press), AXError::Success);
        world.clock.advance(399);
        QCOMPARE(ax.copyAttributeValue(a1, AXNames::Minimized).value()->toBool(), false);
        world.clock.advance(1);
        QCOMPARE(ax.copyAttributeValue(a1, AXNames::Minimized).value()->toBool(), true);
        QVERIFY(!world.listed(WindowList::OnScreenExceptDesktop).contains(world.a1));
        QVERIFY(world.listed(WindowList::AllExceptDesktop).contains(world.a1));

        const AXElement closeA2 = *ax.copyAttributeValue(a2, AXNames::CloseButton).value()->toElement();
        QCOMPARE(ax.performAction(closeA2, AXNames::Press), AXError::Success);
        world.clock.advance(150);
        QCOMPARE(ax.copyAttributeValue(a2, AXNames::Sheets).value()->toElementList()->size(), 1);
        QVERIFY(world.listed(WindowList::OnScreenExceptDesktop).contains(world.a2));

        const AXElement closeA1 = *ax.copyAttributeValue(a1, AXNames::CloseButton).value()->toElement();
        QCOMPARE(ax.performAction(closeA1, AXNames::Press), AXError::Success);
        world.clock.advance(150);
        QCOMPARE(ax.copyAttributeValue(a1, AXNames::Title).error(), AXError::InvalidUIElement);
        QVERIFY(!world.listed(WindowList::AllExceptDesktop).contains(world.a1));
        QCOMPARE(notified, QList<QString>{AXNames::UIElementDestroyed});

        // The owner went away: nothing more is delivered.
        observer.reset();
        world.desktop.answerSheet(world.a2, true);
        world.clock.runPending();
        QCOMPARE(notified.size(), 1);
    }

    // A reused process identifier is a new application: elements and
    // snapshots of the old one do not carry over.
    void aReusedPidIsANewApplication()
    {
        InterleavedWorld world;
        auto &ws = world.platform.workspace;
        QSignalSpy terminated(&ws, &Workspace::applicationTerminated);
        const AXElement oldApp = world.platform.accessibility.applicationElement(world.alpha);
        const qint64 oldLaunch = *ws.application(world.alpha)->launchDateMs;

        QVERIFY(ws.terminate(world.alpha));
        QVERIFY(ws.application(world.alpha)); // quitting takes a moment
        world.clock.advance(1000);
        QCOMPARE(terminated.size(), 1);
        QVERIFY(terminated.first().first().value<RunningApplication>().isTerminated);
        QVERIFY(!ws.application(world.alpha));
        QCOMPARE(world.platform.workspace.frontmostApplication()->processIdentifier, world.beta);

        SimProcess again;
        again.pid = world.alpha;
        again.name = "Gamma";
        QCOMPARE(world.desktop.addProcess(again), world.alpha);
        QVERIFY(*ws.application(world.alpha)->launchDateMs > oldLaunch);
        QCOMPARE(world.platform.accessibility.copyAttributeValue(oldApp, AXNames::Title).error(),
                 AXError::InvalidUIElement);
        const AXElement newApp = world.platform.accessibility.applicationElement(world.alpha);
        QVERIFY(newApp != oldApp);
        QCOMPARE(world.platform.accessibility.copyAttributeValue(newApp, AXNames::Title).value()->toString(),
                 QString("Gamma"));
    }

    void launchingAnInstalledApplicationCompletesAfterItsLaunchTime()
    {
        InterleavedWorld world;
        world.desktop.addInstalledApplication({"com.example.notes", "Notes", "/Applications/Notes.app",
                                               ActivationPolicy::Regular, {"Notes"}, {}, 300,
                                               "accessories-text-editor"});
        auto &ws = world.platform.workspace;
        const std::optional<QString> location = ws.urlForApplication("com.example.notes");
        QCOMPARE(location, QString("/Applications/Notes.app"));
        std::optional<RunningApplication> opened;
        QString error = "none";
        ws.openApplication(*location, {}, this, [&](std::optional<RunningApplication> app, QString e) {
            opened = app;
            error = e;
        });
        world.clock.advance(299);
        QVERIFY(!opened);
        world.clock.advance(1);
        QVERIFY(opened);
        QVERIFY(error.isEmpty());
        QCOMPARE(ws.frontmostApplication()->processIdentifier, opened->processIdentifier);
        QCOMPARE(world.desktop.accessibleWindows(opened->processIdentifier).size(), 1);
        QCOMPARE(world.desktop.process(opened->processIdentifier)->iconName, QString("accessories-text-editor"));

        ws.openApplication("/Applications/Missing.app", {}, this, [&](std::optional<RunningApplication> app, QString e) {
            opened = app;
            error = e;
        });
        world.clock.runPending();
        QVERIFY(!opened);
        QVERIFY(!error.isEmpty());
    }

    // A window opened by a menu or key command shows up a moment later, so
    // whoever asked for it has to wait and look again.
    void aCommandsNewWindowAppearsAfterItsDelay_data()
    {
        QTest::addColumn<qint64>("delayMs");
        QTest::newRow("as the desktop does") << qint64(150);
        QTest::newRow("at once (behaviour off)") << qint64(0);
    }
    void aCommandsNewWindowAppearsAfterItsDelay()
    {
        QFETCH(qint64, delayMs);
        InterleavedWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.newWindowDelayMs = delayMs;
        world.desktop.setKnobs(knobs);
        QVERIFY(world.desktop.pressKey({InputEventType::KeyDown, 45, CommandFlag, false, "n"}));
        QCOMPARE(world.desktop.accessibleWindows(world.beta).size(), delayMs > 0 ? 2 : 3);
        world.clock.advance(delayMs);
        QCOMPARE(world.desktop.accessibleWindows(world.beta).size(), 3);
        // Its application quitting meanwhile leaves nothing behind.
        world.desktop.runCommand(world.alpha, "newWindow");
        world.desktop.killProcess(world.alpha);
        world.clock.advance(1000);
        QVERIFY(world.desktop.accessibleWindows(world.alpha).isEmpty());
    }

    // Key presses pass the key taps first: a swallowed Command-M never reaches the application.
    void keyTapsSwallowOrPassTheUsersKeys()
    {
        InterleavedWorld world;
        auto &taps = world.platform.eventTaps;
        KeyEvent commandM{InputEventType::KeyDown, 46, CommandFlag | AlphaShiftFlag, false, "M"};
        EventTaps::KeyDecision decision = EventTaps::KeyDecision::Swallow;
        QList<KeyEvent> seen;
        auto tap = taps.createKeyTap([&](const KeyEvent &event) {
            seen.append(event);
            return decision;
        });
        QVERIFY(tap);

        QVERIFY(!world.desktop.pressKey(commandM));
        world.clock.advance(1000);
        QVERIFY(!world.desktop.window(world.b1)->minimized);

        decision = EventTaps::KeyDecision::Pass;
        world.clock.advance(2500);
        QCOMPARE(taps.secondsSinceLastEvent(InputEventType::KeyDown), 3.5);
        QVERIFY(world.desktop.pressKey(commandM));
        world.clock.advance(1000);
        QVERIFY(world.desktop.window(world.b1)->minimized);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(taps.secondsSinceLastEvent(std::nullopt), 1.0);

        // Posting the key to a process bypasses the taps.
        taps.postKeyEvent(world.alpha, commandM);
        world.clock.advance(1000);
        QVERIFY(world.desktop.window(world.a1)->minimized);
        QCOMPARE(seen.size(), 2);

        tap.reset();
        world.desktop.injectFailure(SimFailure::on(SimOperations::CreateKeyTap));
        QVERIFY(!taps.createKeyTap([](const KeyEvent &) { return EventTaps::KeyDecision::Pass; }));
    }

    void theMouseTapSeesPressesAndTheClickStillLands()
    {
        InterleavedWorld world;
        QList<MouseEvent> seen;
        auto tap = world.platform.eventTaps.createMouseTap(this, [&](const MouseEvent &e) { seen.append(e); });
        QVERIFY(tap);
        const QRectF minimize = SimDesktop::buttonFrame(*world.desktop.window(world.b1), SimNode::Kind::MinimizeButton);
        world.desktop.click(minimize.center());
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].type, InputEventType::LeftMouseDown);
        QCOMPARE(seen[1].location, minimize.center());
        world.clock.advance(1000);
        QVERIFY(world.desktop.window(world.b1)->minimized);

        world.desktop.disableEventTaps(InputEventType::TapDisabledByTimeout);
        QVERIFY(!tap->isEnabled());
        QCOMPARE(seen.last().type, InputEventType::TapDisabledByTimeout);
        tap->setEnabled(true);
        QVERIFY(tap->isEnabled());
    }

    // Services call the desktop from worker threads; the effects still land
    // on the desktop's own thread, through its scheduler.
    void callsFromAnotherThreadLandOnTheDesktopsThread()
    {
        InterleavedWorld world;
        const AXElement a1 = world.desktop.windowElement(world.a1);
        QThread *landedOn = nullptr;
        auto observer = world.platform.accessibility.createObserver(world.alpha, this, [&](const AXElement &, const QString &) {
            landedOn = QThread::currentThread();
        });
        observer->addNotification(a1, AXNames::WindowMiniaturized);

        AXError pressed = AXError::Failure;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            const auto button = world.platform.accessibility.copyAttributeValue(a1, AXNames::MinimizeButton);
            pressed = world.platform.accessibility.performAction(*button.value()->toElement(), AXNames::Press);
        }));
        worker->start();
        QVERIFY(worker->wait(10'000));
        QCOMPARE(pressed, AXError::Success);

        QCoreApplication::processEvents(); // the hop to the desktop's thread
        world.clock.advance(1000);
        QVERIFY(world.desktop.window(world.a1)->minimized);
        QCOMPARE(landedOn, QThread::currentThread());
    }

    // An observer owned on another thread hears its notifications there.
    void anObserverHearsOnItsContextsThread()
    {
        InterleavedWorld world;
        QThread thread;
        thread.start();
        QObject context;
        context.moveToThread(&thread);
        std::atomic<QThread *> heardOn = nullptr;
        auto observer = world.platform.accessibility.createObserver(
            world.alpha, &context, [&](const AXElement &, const QString &) { heardOn = QThread::currentThread(); });
        QCOMPARE(observer->addNotification(world.desktop.applicationElement(world.alpha),
                                           AXNames::ApplicationActivated),
                 AXError::Success);
        world.desktop.activate(world.alpha);
        world.clock.runPending();
        QTRY_COMPARE(heardOn.load(), &thread);
        thread.quit();
        QVERIFY(thread.wait(10'000));
    }

    // The log lets a test assert what the product asked for, in order.
    void everyRequestIsLogged()
    {
        InterleavedWorld world;
        auto &p = world.platform;
        const AXElement a1 = world.desktop.windowElement(world.a1);
        p.workspace.activate(world.alpha, Workspace::ActivateAllWindows);
        p.accessibility.setAttributeValue(a1, AXNames::Minimized, AXValue::fromBool(true));
        p.accessibility.performAction(a1, AXNames::Press);
        p.windowList.copyWindowInfo(WindowList::OneWindow, world.a1);
        p.applicationPreferences.synchronize(ApplicationPreferences::DockDomain);
        p.applicationPreferences.value(ApplicationPreferences::DockAutohideKey, ApplicationPreferences::DockDomain);

        const QList<SimRequest> log = world.desktop.requests();
        QCOMPARE(log.size(), 6);
        QCOMPARE(log[0].operation, SimOperations::Activate);
        QCOMPARE(log[0].pid, world.alpha);
        QCOMPARE(log[1].operation, SimOperations::SetAttributeValue);
        QCOMPARE(log[1].name, AXNames::Minimized);
        QCOMPARE(log[1].detail, QVariant(true));
        QCOMPARE(log[2].result, int(AXError::ActionUnsupported));
        QCOMPARE(world.desktop.requests(SimOperations::CopyWindowInfo).size(), 1);
        // The Dock's preferences are read only after a synchronisation.
        QCOMPARE(log[4].operation, SimOperations::SynchronizePreferences);
        QCOMPARE(log[5].operation, SimOperations::CopyPreference);
        QCOMPARE(log[5].name, QString("com.apple.dock/autohide"));
    }
};

QTEST_GUILESS_MAIN(TestSimDesktop)
#include "tst_simdesktop.moc"
