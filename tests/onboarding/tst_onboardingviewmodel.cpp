#include "onboarding/model/onboardingprogress.h"
#include "onboarding/model/onboardingviewmodel.h"
#include "platform/sim/simoperations.h"
#include "services/dockposition.h"

#include "../store/storeworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Sim::SimOperations::StartDetached;

namespace {

const QString dockDomain = QStringLiteral("com.apple.dock");

// Onboarding over a store on the simulated desktop, whose Dock runs with its
// strip at the bottom. The store's screen-recording answers come from the
// store's fake capture; the one-shot capture goes to the simulated desktop.
struct OnboardingWorld : Test::StoreWorld
{
    qint32 dockPid = addDock();
    quint32 dockStrip = addWindow(dockPid, QRectF(400, 830, 640, 70), QStringLiteral("Dock"),
        [](Sim::SimWindow &w) { w.layer = 20; });
    std::unique_ptr<TaskbarStore> store;
    OnboardingProgress progress{defaults};
    DockPosition dock{platform.applicationPreferences, [this](const QString &program, const QStringList &arguments) {
                          return platform.childProcesses.startDetached(program, arguments);
                      }};
    int finishes = 0;

    OnboardingWorld()
    {
        desktop.setAccessibilityTrusted(false);
        capture.granted = false;
        store = make(false);
    }

    std::unique_ptr<OnboardingViewModel> open()
    {
        return std::make_unique<OnboardingViewModel>(OnboardingEnvironment{
            .permissions = store->permissions(),
            .progress = progress,
            .dock = dock,
            .screenCapture = screenCapture,
            .workspace = workspace,
            .scheduler = clock,
            .finish = [this] { ++finishes; },
        });
    }

    void setDock(const QVariant &orientation, const QVariant &autohide)
    {
        desktop.setPreference(dockDomain, QStringLiteral("orientation"), orientation);
        desktop.setPreference(dockDomain, QStringLiteral("autohide"), autohide);
    }
    QVariant dockPreference(const QString &key) const { return desktop.preference(dockDomain, key); }
    // The Dock's strip as the desktop now has it (the restarted Dock has a new window).
    std::optional<Sim::SimWindow> strip() const
    {
        for (const Sim::SimWindow &window : desktop.windows()) {
            if (window.layer == 20)
                return window;
        }
        return std::nullopt;
    }
};

} // namespace

class TestOnboardingViewModel : public QObject
{
    Q_OBJECT
private slots:
    void walksThePagesInOrderAndSavesEachOne()
    {
        OnboardingWorld world;
        auto view = world.open();
        QCOMPARE(view->step(), OnboardingStep::welcome);
        view->goBack();
        QCOMPARE(view->step(), OnboardingStep::welcome);
        QVERIFY(world.defaults.writtenKeys().isEmpty());

        QSignalSpy changes(view.get(), &ViewModel::changed);
        view->advance();
        QCOMPARE(view->step(), OnboardingStep::dock);
        QCOMPARE(world.defaults.integerValue("OnboardingStep"), 1);
        world.clock.runPending();
        QCOMPARE(changes.size(), 1);
        QVERIFY(changes.first().first().toUInt() & OnboardingViewModel::StepChange);

        view->advance();
        view->goBack();
        QVERIFY(view->isGoingBack());
        QCOMPARE(view->step(), OnboardingStep::dock);
        QCOMPARE(world.defaults.integerValue("OnboardingStep"), 1);
        view->advance();
        QVERIFY(!view->isGoingBack());
        view->advance();
        view->advance();
        QCOMPARE(view->step(), OnboardingStep::done);
        view->advance();
        QCOMPARE(view->step(), OnboardingStep::done);
        QCOMPARE(world.finishes, 0);

        // The main button on the last page finishes, whatever was granted.
        view->perform(*view->footer().returnAction());
        QCOMPARE(world.finishes, 1);

        // A new window resumes where the last one was.
        QCOMPARE(world.open()->step(), OnboardingStep::done);
    }

    void theDockPageFollowsTheSimulatedDock()
    {
        OnboardingWorld world;
        world.setDock("bottom", true);
        world.progress.saveStep(OnboardingStep::welcome);
        auto view = world.open();
        view->appeared();
        // Changed while the welcome page was up: leaving it reads the Dock again.
        world.setDock(QVariant(), QVariant());
        view->advance();
        QCOMPARE(view->dockPage().state, DockPage::State::atBottom);
        QVERIFY(view->dockPage().needsChange);

        view->dockChoice(DockEdge::left);
        QCOMPARE(world.dockPreference("orientation"), QVariant("left"));
        QCOMPARE(world.dockPreference("autohide"), QVariant(true));
        QCOMPARE(world.desktop.requests(StartDetached).size(), 1);
        QCOMPARE(view->dockPage().state, DockPage::State::atSideHidden);
        QCOMPARE(view->footer().returnAction(), std::optional(OnboardingAction::advance));
        // The restarted Dock takes the left edge, hidden.
        QVERIFY(!world.strip());
        world.clock.advance(world.desktop.knobs().dockRestartMs);
        QVERIFY(world.strip());
        QCOMPARE(world.strip()->bounds.left(), 0.0);
        QVERIFY(!world.strip()->visible);

        // Someone moves it in the system's settings: the page shows it within a tick.
        world.setDock("right", false);
        QCOMPARE(view->dockPage().state, DockPage::State::atSideHidden);
        world.clock.advance(OnboardingViewModel::refreshIntervalMs);
        QCOMPARE(view->dockEdge(), DockEdge::right);
        QCOMPARE(view->dockPage().state, DockPage::State::atSideVisible);

        view->turnOnAutohide();
        QCOMPARE(world.dockPreference("orientation"), QVariant("right"));
        QCOMPARE(world.dockPreference("autohide"), QVariant(true));
        QCOMPARE(world.desktop.requests(StartDetached).size(), 2);
        QCOMPARE(view->dockPage().state, DockPage::State::atSideHidden);
    }

    void aDockRestartThatFailsStillShowsWhatThePreferencesSay()
    {
        OnboardingWorld world;
        world.progress.saveStep(OnboardingStep::dock);
        auto view = world.open();
        world.desktop.injectFailure(Sim::SimFailure::on(StartDetached).once());
        view->dockChoice(DockEdge::right);
        QCOMPARE(world.dockPreference("orientation"), QVariant("right"));
        QCOMPARE(view->dockPage().state, DockPage::State::atSideHidden);
        // The Dock was never restarted: its strip stays at the bottom, visible.
        world.clock.advance(world.desktop.knobs().dockRestartMs);
        QCOMPARE(world.strip()->number, world.dockStrip);
        QVERIFY(world.strip()->visible);
    }

    void permissionsAreReadEverySecondWhileShown()
    {
        OnboardingWorld world;
        world.progress.saveStep(OnboardingStep::accessibility);
        auto view = world.open();
        view->appeared();
        QCOMPARE(view->footer().returnAction(), std::nullopt);

        world.desktop.setAccessibilityTrusted(true);
        world.clock.advance(OnboardingViewModel::refreshIntervalMs - 1);
        QVERIFY(!view->isAccessibilityTrusted());
        world.clock.advance(1);
        QVERIFY(view->isAccessibilityTrusted());
        QCOMPARE(view->footer().returnAction(), std::optional(OnboardingAction::advance));
        // The page never moves on by itself.
        QCOMPARE(view->step(), OnboardingStep::accessibility);

        // Gone with its view: no tick reaches it.
        view.reset();
        world.clock.advance(5 * OnboardingViewModel::refreshIntervalMs);
    }

    void asksForAccessibilityWithThePromptOnlyOnce()
    {
        OnboardingWorld world;
        world.progress.saveStep(OnboardingStep::accessibility);
        auto view = world.open();
        QSignalSpy settings(&world.desktop, &Sim::SimDesktop::systemSettingsOpened);
        view->perform(OnboardingAction::requestAccessibility);
        QCOMPARE(world.desktop.requests(Sim::SimOperations::IsProcessTrusted).last().name, QStringLiteral("prompt"));
        QCOMPARE(world.desktop.requests(Sim::SimOperations::OpenUrl).size(), 0);

        view->perform(OnboardingAction::requestAccessibility);
        const QList<Sim::SimRequest> opened = world.desktop.requests(Sim::SimOperations::OpenUrl);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().detail.toUrl().toString(),
            QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"));
        // Both lead the person at the simulated desktop to the privacy pane.
        QCOMPARE(settings.size(), 2);
        QCOMPARE(settings.last().first().toString(), QStringLiteral("Privacy_Accessibility"));

        view->perform(OnboardingAction::openDockSettings);
        QCOMPARE(world.desktop.requests(Sim::SimOperations::OpenUrl).last().detail.toUrl().toString(),
            OnboardingViewModel::dockSettingsUrl);
    }

    void theCaptureNoticeIsBroughtUpOncePerView()
    {
        OnboardingWorld world;
        const qint32 other = world.addApp("Browser");
        world.addWindow(world.desktop.selfPid(), QRectF(0, 0, 800, 600), QStringLiteral("Ours"));
        world.addWindow(other, QRectF(0, 0, 50, 600), QStringLiteral("Narrow"));
        const quint32 wide = world.addWindow(other, QRectF(100, 100, 600, 400), QStringLiteral("Page"));
        world.addWindow(world.desktop.selfPid(), QRectF(0, 0, 800, 600), QStringLiteral("Ours in front"));
        world.progress.saveStep(OnboardingStep::accessibility);
        auto view = world.open();
        view->appeared();
        view->advance();
        // Not granted: the page only explains.
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 0);

        world.capture.granted = true;
        world.clock.advance(OnboardingViewModel::refreshIntervalMs);
        QVERIFY(view->hasSurfacedCaptureWarning());
        world.clock.runPending();
        world.clock.advance(100);
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 1);
        const QList<Sim::SimRequest> captures = world.desktop.requests(Sim::SimOperations::CaptureWindowImage);
        QCOMPARE(captures.size(), 1);
        QCOMPARE(captures.first().detail.toMap().value("window").toUInt(), wide);
        QCOMPARE(captures.first().detail.toMap().value("size").toSize(), QSize(64, 64));

        // Leaving and coming back, or the permission flipping, captures no more.
        view->advance();
        view->goBack();
        world.capture.granted = false;
        world.clock.advance(OnboardingViewModel::refreshIntervalMs);
        world.capture.granted = true;
        world.clock.advance(OnboardingViewModel::refreshIntervalMs);
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 1);

        // A new view opened on the page with the permission captures once more.
        view.reset();
        auto reopened = world.open();
        reopened->appeared();
        world.clock.advance(100);
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 2);
    }

    void withOnlyOurWindowsTheDisplayIsCapturedAndFailuresEndSilently()
    {
        OnboardingWorld world;
        world.desktop.removeWindow(world.dockStrip);
        world.addWindow(world.desktop.selfPid(), QRectF(0, 0, 800, 600), QStringLiteral("Ours"));
        world.capture.granted = true;
        world.progress.saveStep(OnboardingStep::screenRecording);
        auto view = world.open();
        view->appeared();
        world.clock.advance(100);
        QCOMPARE(world.callsTo(Sim::SimOperations::CaptureWindowImage), 0);
        const QList<Sim::SimRequest> displays = world.desktop.requests(Sim::SimOperations::CaptureDisplayImage);
        QCOMPARE(displays.size(), 1);
        QCOMPARE(displays.first().detail.toMap().value("display").toUInt(), 1u);

        // The content cannot be listed: nothing is captured, and nothing is retried.
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::ShareableContent));
        auto failing = world.open();
        failing->appeared();
        world.clock.advance(3 * OnboardingViewModel::refreshIntervalMs);
        QVERIFY(failing->hasSurfacedCaptureWarning());
        QCOMPARE(world.callsTo(Sim::SimOperations::CaptureDisplayImage), 1);
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 2);
    }

    void skipAndTheScreenRecordingRequest()
    {
        OnboardingWorld world;
        world.progress.saveStep(OnboardingStep::screenRecording);
        auto view = world.open();
        view->perform(*view->footer().returnAction());
        QCOMPARE(world.capture.requests, 1);
        QCOMPARE(view->step(), OnboardingStep::screenRecording);
        view->perform(view->footer().buttons.first().action);
        QCOMPARE(view->step(), OnboardingStep::done);
    }

    void thePreviewPickerStartsWithLiveThumbnails()
    {
        OnboardingWorld world;
        auto view = world.open();
        QVERIFY(!view->isShowingPreviewWithoutPermission());
        QSignalSpy changes(view.get(), &ViewModel::changed);
        view->setShowingPreviewWithoutPermission(true);
        view->setShowingPreviewWithoutPermission(true);
        world.clock.runPending();
        QCOMPARE(changes.size(), 1);
        QVERIFY(view->isShowingPreviewWithoutPermission());
    }
};

QTEST_GUILESS_MAIN(TestOnboardingViewModel)
#include "tst_onboardingviewmodel.moc"
