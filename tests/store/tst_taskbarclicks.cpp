#include "platform/sim/simoperations.h"
#include "services/applicationmenuaction.h"
#include "services/windowpreviewid.h"
#include "store/applicationwaits.h"
#include "store/onboardinghost.h"
#include "store/taskbarclicks.h"
#include "clicksworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

const auto appFor = Test::StoreWorld::appItem;
const QStringList keysAndApps { SimOperations::PostKeyEvent, SimOperations::Hide, SimOperations::Activate,
    SimOperations::Unhide, SimOperations::OpenApplication };

// What a click on Alpha's button does, Alpha being frontmost unless a test says otherwise.
struct Fixture : Test::ClicksWorld
{
    qint32 alpha = addApp("Alpha");
    qint32 beta = addApp("Beta");
    std::unique_ptr<TaskbarStore> store = makeStore();
    TaskbarClicks &clicks = store->clicks();
    WindowPicker &picker = store->windowPicker();

    void front(qint32 pid)
    {
        desktop.makeFrontmost(pid);
        clock.runPending();
        desktop.clearRequests();
    }
    void click(const QString &name = "Alpha", quint32 display = 1) { click(appFor(name), display); }
    void click(const AppItem &app, quint32 display = 1)
    {
        store->handleTaskbarClick(app, display);
        settle();
    }
};

} // namespace

class TestTaskbarClicks : public QObject
{
    Q_OBJECT
private slots:
    // The second click on the app in front puts its only window away with
    // the app's own Command-M: key 46 with Command alone, down then up.
    void frontmostAppWithOneWindowGetsCommandM()
    {
        Fixture f;
        f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "Only");
        f.front(f.alpha);
        f.click();
        QCOMPARE(f.log(keysAndApps),
            QStringList({ QString("postKeyEvent %1 m 46/100000/down").arg(f.alpha),
                QString("postKeyEvent %1 m 46/100000/up").arg(f.alpha) }));
        QCOMPARE(f.tooltip.hides, 1);
        // The windows are listed again once the minimize has landed.
        QVERIFY(!f.store->windowPreviewCache().isFetching(f.alpha));
        f.clock.advance(WindowPreviewCache::transitionRefetchDelayMs);
        QVERIFY(f.store->windowPreviewCache().isFetching(f.alpha));
    }

    // A frontmost app with nothing to list: hidden when it shows a normal
    // window of at least 80 by 40 points, else brought forward or reopened.
    void frontmostAppWithoutPreviews_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QString>("expected");
        QTest::newRow("100 by 60: hidden") << QSizeF(100, 60) << "hide %1";
        QTest::newRow("79 by 60: reopened") << QSizeF(79, 60) << "openApplication 0 /Applications/Alpha.app";
    }
    void frontmostAppWithoutPreviews()
    {
        QFETCH(QSizeF, size);
        QFETCH(QString, expected);
        Fixture f;
        f.addWindow(f.alpha, QRectF(QPointF(300, 300), size), "Palette");
        f.front(f.alpha);
        f.click();
        const QStringList log = f.log(keysAndApps);
        const QString line = expected.contains("%1") ? expected.arg(f.alpha) : expected;
        QVERIFY2(!log.isEmpty() && log.first().startsWith(line), qPrintable(log.join('\n')));
        QCOMPARE(f.log({ SimOperations::PostKeyEvent }), QStringList());
    }

    // Two windows open the picker, in front or not; nothing is focused.
    void twoWindowsOpenThePicker_data()
    {
        QTest::addColumn<bool>("frontmost");
        QTest::newRow("background") << false;
        QTest::newRow("frontmost") << true;
    }
    void twoWindowsOpenThePicker()
    {
        QFETCH(bool, frontmost);
        Fixture f;
        f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "First");
        f.addWindow(f.alpha, QRectF(800, 100, 600, 400), "Second");
        f.front(frontmost ? f.alpha : f.beta);
        f.store->flyouts().toggleStartMenu(1);
        f.click();
        QCOMPARE(f.picker.windowPickerAppID(), std::optional<QString>("com.example.Alpha"));
        QCOMPARE(f.picker.windowPreviews().size(), 2);
        QVERIFY(!f.store->flyouts().isStartMenuPresented());
        QCOMPARE(f.log(keysAndApps), QStringList());
        QCOMPARE(f.log({ SimOperations::SetAttributeValue, SimOperations::PerformAction }), QStringList());

        // A click on the same button on the same display only closes it...
        f.click();
        QCOMPARE(f.picker.windowPickerAppID(), std::nullopt);
        // ...on another display it opens there.
        f.click("Alpha", 1);
        f.click("Alpha", 2);
        QCOMPARE(f.store->flyouts().presentedDisplayID(), std::optional<quint32>(2));
    }

    // A press and its click on an application that does not list its
    // windows at once hold the bar no longer than a press may wait; the
    // click goes on as usual when the windows arrive, unless another click
    // came meanwhile.
    void aSlowApplicationsClickGoesOnWhenItsWindowsArrive_data()
    {
        QTest::addColumn<bool>("anotherClick");
        QTest::newRow("alone") << false;
        QTest::newRow("another click meanwhile") << true;
    }
    void aSlowApplicationsClickGoesOnWhenItsWindowsArrive()
    {
        QFETCH(bool, anotherClick);
        Fixture f;
        f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "First");
        f.addWindow(f.alpha, QRectF(800, 100, 600, 400), "Second");
        f.front(f.beta);
        f.desktop.setBusyFor(f.alpha, 400);
        const qint64 before = f.clock.monotonicMs();
        QVERIFY(!f.picker.prepareWindowPicker(appFor("Alpha"), 1));
        f.store->handleTaskbarClick(appFor("Alpha"), 1);
        QVERIFY(f.clock.monotonicMs() - before <= qint64(ApplicationWaits::pressTimeoutSeconds * 1000));
        QCOMPARE(f.picker.windowPickerAppID(), std::nullopt);
        if (anotherClick)
            f.store->handleTaskbarClick(appFor("Beta"), 1);

        f.settle();
        QCOMPARE(f.picker.windowPickerAppID(),
            anotherClick ? std::nullopt : std::optional<QString>("com.example.Alpha"));
        QCOMPARE(f.picker.windowPreviews().size(), anotherClick ? 0 : 2);
    }

    // A background app's only window comes forward: made main and focused,
    // guarded against its siblings, focused by the private call, raised.
    void backgroundAppsWindowIsFocused()
    {
        Fixture f;
        const quint32 only = f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "Only");
        f.addWindow(f.beta, QRectF(300, 300, 600, 400), "Beta");
        f.front(f.beta);
        f.click();
        QCOMPARE(f.log({ SimOperations::SetAttributeValue, SimOperations::PerformAction,
                     PrivateFunctions::SLPSSetFrontProcessWithOptionsName }),
            QStringList({ QString("setAttributeValue %1 AXMinimized false").arg(f.alpha),
                QString("setAttributeValue %1 AXMain true").arg(f.alpha),
                QString("setAttributeValue %1 AXFocused true").arg(f.alpha),
                QString("_SLPSSetFrontProcessWithOptions %1 _SLPSSetFrontProcessWithOptions").arg(f.alpha),
                QString("performAction %1 AXRaise %2").arg(f.alpha).arg(only) }));
        QCOMPARE(f.guard.watches, QStringList({ QString("focus %1").arg(only) }));
        QCOMPARE(f.desktop.frontmostPid(), f.alpha);
        QCOMPARE(f.desktop.stackingOrder().first(), only);
    }

    // Not running: launched with activation, from the item's location or
    // the workspace's; the own pseudo-apps open the product's own windows.
    void launchesAndOpensOwnWindows()
    {
        Fixture f;
        SimInstalledApplication player;
        player.bundleIdentifier = "org.player";
        player.name = "Player";
        player.bundlePath = "/Applications/Player.app";
        f.desktop.addInstalledApplication(player);
        f.desktop.clearRequests();
        f.store->handleTaskbarClick(AppItem { "org.player", "Player", "org.player", std::nullopt, false, {} }, 1);
        f.clicks.open(AppItem { "x", "X", std::nullopt, QUrl::fromLocalFile("/Applications/X.app"), false, {} });
        const QList<SimRequest> opens = f.desktop.requests(SimOperations::OpenApplication);
        QCOMPARE(opens.size(), 2);
        QCOMPARE(opens.at(0).name, "/Applications/Player.app");
        QCOMPARE(opens.at(0).detail.toMap().value("activates"), true);
        QCOMPARE(opens.at(1).name, "/Applications/X.app");

        // The Task Manager miniaturizes when its window is in front, else is presented.
        f.click(AppItem::taskManager());
        OwnWindowState state;
        state.title = "Task Manager";
        state.frame = QRectF(200, 200, 600, 500);
        const quint32 taskManager = f.platform.ownWindows.addWindow(state);
        f.ownWindows.taskManager = OwnWindowsHost::Window { taskManager, true, false };
        f.click(AppItem::taskManager());
        f.addWindow(f.beta, QRectF(100, 100, 600, 400), "Over it");
        f.click(AppItem::taskManager());
        QCOMPARE(f.ownWindows.calls,
            QStringList({ "present task manager", QString("miniaturize %1").arg(taskManager), "present task manager" }));
    }

    // The setup button, clicked or opened from a menu, presents onboarding
    // through the host; without a host it does nothing at all.
    void setupButtonPresentsOnboarding()
    {
        struct Host : OnboardingHost
        {
            int presented = 0;
            void presentOnboarding() override { ++presented; }
        } host;
        Test::ClicksWorld world;
        world.onboarding = &host;
        const std::unique_ptr<TaskbarStore> store = world.makeStore();
        store->handleTaskbarClick(AppItem::velmoraSetup(), 1);
        store->clicks().open(AppItem::velmoraSetup());
        QCOMPARE(host.presented, 2);

        Fixture f;
        f.desktop.clearRequests();
        f.click(AppItem::velmoraSetup());
        QVERIFY(f.ownWindows.calls.isEmpty());
        QVERIFY(f.desktop.requests().isEmpty());
    }

    // A running app without any window is asked for one; once the workspace
    // answers it is unhidden and activated.
    void reopensAnAppWithoutWindows()
    {
        Fixture f;
        f.desktop.hide(f.alpha);
        f.clock.runPending();
        f.desktop.clearRequests();
        f.click();
        f.clock.runPending();
        QCoreApplication::processEvents();
        QCOMPARE(f.log(keysAndApps),
            QStringList({ QString("unhide %1").arg(f.alpha), "openApplication 0 /Applications/Alpha.app",
                QString("activate %1 0").arg(f.alpha) }));
        QCOMPARE(f.desktop.requests(SimOperations::OpenApplication).first().detail.toMap().value("createsNewInstance"),
            false);
    }

    // The new-window wait: window numbers only until a new one shows up,
    // then the listing, and the new card replaces the placeholder.
    void newWindowIsFoundAfter200ms()
    {
        Fixture f;
        f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "First");
        f.addWindow(f.alpha, QRectF(800, 100, 600, 400), "Second");
        f.click();
        f.clock.advance(WindowPicker::openingAnimationMs);
        f.settle();
        const qint64 wallStart = f.clock.wallClockMs();

        f.clicks.openNewWindow(ApplicationMenuAction {}, f.app(f.alpha));
        QVERIFY(f.picker.isAwaitingNewWindow());
        QCOMPARE(f.picker.windowPreviewIDToReveal(), std::optional<QString>("new-window-placeholder"));
        QCOMPARE(f.picker.keepWindowPickerOpenUntil(), wallStart + 5000);
        f.settle();
        f.desktop.clearRequests();

        quint32 created = 0;
        for (int step = 0; step < 40 && f.picker.isAwaitingNewWindow(); ++step) {
            f.clock.advance(TaskbarClicks::newWindowPollMs);
            f.settle();
            if (!created && f.clock.wallClockMs() - wallStart >= 200) {
                // Nothing but window numbers was read while nothing was new:
                // the windows were not listed.
                QVERIFY(!f.log({ SimOperations::CopyAttributeValue }).join('\n').contains("AXWindows"));
                created = f.addWindow(f.alpha, QRectF(400, 200, 600, 400), "Third");
            }
        }
        const QString id = WindowPreviewId::forWindow(f.alpha, created);
        QVERIFY(!f.picker.isAwaitingNewWindow());
        QCOMPARE(f.picker.windowPreviewIDReplacingPlaceholder(), std::optional<QString>(id));
        QCOMPARE(f.picker.windowPreviewIDToReveal(), std::optional<QString>(id));
        QVERIFY(f.clock.wallClockMs() - wallStart < 400);
        f.clock.advance(100);
        QVERIFY(!f.clicks.isPollingForNewWindow());
    }

    void newWindowWaitTimesOutAfter3s()
    {
        Fixture f;
        f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "First");
        f.addWindow(f.alpha, QRectF(800, 100, 600, 400), "Second");
        f.click();
        f.clicks.openNewWindow(ApplicationMenuAction {}, f.app(f.alpha));
        f.settle();
        const qint64 start = f.clock.wallClockMs();
        while (f.clock.wallClockMs() - start < TaskbarClicks::newWindowTimeoutMs - 50) {
            f.clock.advance(TaskbarClicks::newWindowPollMs);
            f.settle();
        }
        QVERIFY(f.picker.isAwaitingNewWindow());
        for (int step = 0; step < 8; ++step) {
            f.clock.advance(TaskbarClicks::newWindowPollMs);
            f.settle();
        }
        QVERIFY(!f.picker.isAwaitingNewWindow());
        QCOMPARE(f.picker.windowPreviewIDsBeforeNewWindow(), std::nullopt);
        QCOMPARE(f.picker.windowPreviewIDToReveal(), std::nullopt);
        QVERIFY(!f.clicks.isPollingForNewWindow());
        // The picker itself stays: the user may still want another window.
        QVERIFY(f.picker.windowPickerAppID());
    }

    void revealsTheBundle()
    {
        Fixture f;
        AppItem alpha = appFor("Alpha");
        f.clicks.revealApplicationInFinder(alpha);
        QCOMPARE(f.desktop.requests(SimOperations::RevealFiles).size(), 0);
        alpha.url = QUrl::fromLocalFile("/Applications/Alpha.app");
        f.clicks.revealApplicationInFinder(alpha);
        const QList<SimRequest> reveals = f.desktop.requests(SimOperations::RevealFiles);
        QCOMPARE(reveals.size(), 1);
        QCOMPARE(reveals.first().detail.toStringList(), QStringList({ "/Applications/Alpha.app" }));
    }

    // A store destroyed while the new-window wait and a fetch are pending crashes nothing.
    void storeGoesWithWorkPending()
    {
        Fixture f;
        f.addWindow(f.alpha, QRectF(100, 100, 600, 400), "First");
        f.addWindow(f.alpha, QRectF(800, 100, 600, 400), "Second");
        f.click();
        f.clicks.openNewWindow(ApplicationMenuAction {}, f.app(f.alpha));
        f.store.reset();
        f.background.runAll();
        f.clock.advance(5000);
    }
};

QTEST_GUILESS_MAIN(TestTaskbarClicks)
#include "tst_taskbarclicks.moc"
