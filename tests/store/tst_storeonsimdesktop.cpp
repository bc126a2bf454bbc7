#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/sim/simaccessibility.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simworkspace.h"
#include "platform/sim/virtualclock.h"
#include "services/screencapturepermission.h"
#include "services/thumbnailcapture.h"
#include "services/windowpreviewid.h"
#include "store/servicewindowcapture.h"
#include "services/finderwindowwatcher.h"
#include "store/taskbarstore.h"
#include "clicksworld.h"
#include "storeworld.h"
#include "support/simmenus.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Velmora::Test::ids;
using namespace Velmora::Sim;

// The store against the simulated desktop: applications start, activate and
// quit there, and the store follows through the workspace's notifications
// and its refresh tick.
class TestStoreOnSimDesktop : public QObject
{
    Q_OBJECT
private slots:
    void followsTheDesktop()
    {
        Test::StoreWorld world;
        SimDesktop &desktop = world.desktop;
        VirtualClock &clock = world.clock;
        SimWorkspace &workspace = world.workspace;
        Test::FakeMinimizeInterception &interception = world.interception;
        desktop.setAccessibilityTrusted(false);
        SimInstalledApplication player;
        player.bundleIdentifier = "org.player";
        player.name = "Player";
        player.bundlePath = "/Applications/Player.app";
        desktop.addInstalledApplication(player);
        SimProcess editor;
        editor.bundleIdentifier = "org.editor";
        editor.name = "Editor";
        editor.bundlePath = "/Applications/Editor.app";
        desktop.addProcess(editor);
        SimProcess agent = editor;
        agent.bundleIdentifier = "org.agent";
        agent.policy = ActivationPolicy::Prohibited;
        desktop.addProcess(agent);

        const auto owned = world.make(true);
        TaskbarStore &store = *owned;
        QCOMPARE(ids(store.runningApps()), QStringList({ "org.editor" }));
        QVERIFY(!store.permissions().isAccessibilityTrusted());

        // A launch with activation: listed and remembered as recent once the notifications are handled.
        desktop.launch("/Applications/Player.app", true, {});
        clock.advance(1000);
        QCoreApplication::processEvents();
        QCOMPARE(ids(store.runningApps()), QStringList({ "org.editor", "org.player" }));
        QCOMPARE(store.recentAppIdentifiers(), QStringList({ "org.player" }));
        QCOMPARE(store.runningApps().last().url, QUrl::fromLocalFile("/Applications/Player.app"));

        // Granting accessibility while the bar runs takes effect within one tick.
        desktop.setAccessibilityTrusted(true);
        QSignalSpy trusted(&store.permissions(), &Permissions::isAccessibilityTrustedChanged);
        clock.advance(TaskbarStore::refreshIntervalMs);
        QVERIFY(store.permissions().isAccessibilityTrusted());
        QCOMPARE(trusted.size(), 1);
        QCOMPARE(interception.starts, 1);

        // A quit application leaves the list at the next tick even without a notification being handled.
        const auto playerProcesses = workspace.runningApplications("org.player");
        QCOMPARE(playerProcesses.size(), 1);
        desktop.killProcess(playerProcesses.first().processIdentifier);
        clock.advance(TaskbarStore::refreshIntervalMs);
        QCOMPARE(ids(store.runningApps()), QStringList({ "org.editor" }));
    }

    // Finder started, ended and started again while the bar runs: its button
    // follows whether the Finder of the moment has windows.
    void finderStartedLaterGetsItsButton()
    {
        Test::ClicksWorld world;
        // Not pinned: only a Finder with windows has a button.
        world.defaults.setValue(QStringLiteral("PinnedApplicationBundleIdentifiers"), QStringList());
        const auto store = world.makeStore(true);
        QVERIFY(!ids(store->taskbarApps()).contains(FinderWindowWatcher::finderBundleIdentifier));
        const auto startFinder = [&world] {
            return world.addApp("Finder", 0, [](SimProcess &process) {
                process.bundleIdentifier = FinderWindowWatcher::finderBundleIdentifier;
            });
        };
        const auto hasFinderButton = [&store] {
            return ids(store->taskbarApps()).contains(FinderWindowWatcher::finderBundleIdentifier);
        };
        QVERIFY(!store->finderHasWindows());

        const qint32 finder = startFinder();
        world.addWindow(finder, QRectF(100, 100, 600, 400), "Documents");
        world.clock.advance(TaskbarStore::refreshIntervalMs);
        QCoreApplication::processEvents();
        QVERIFY(store->finderHasWindows());
        QVERIFY(hasFinderButton());

        world.desktop.killProcess(finder);
        const qint32 relaunched = startFinder();
        world.clock.advance(TaskbarStore::refreshIntervalMs);
        QCoreApplication::processEvents();
        QVERIFY(!store->finderHasWindows());
        QVERIFY(!hasFinderButton());

        // The new Finder's own window events are heard, without waiting for a tick.
        world.addWindow(relaunched, QRectF(100, 100, 600, 400), "Downloads");
        QCoreApplication::processEvents();
        world.clock.advance(FinderWindowWatcher::recheckDelayMs);
        QVERIFY(store->finderHasWindows());
        QVERIFY(hasFinderButton());
    }

    // A press on an app button with two windows, through the real window
    // services: the picker opens with both cards and their images follow.
    void pickerShowsCapturedWindows()
    {
        Test::StoreWorld world;
        const qint32 editor = world.addApp("Editor");
        const quint32 first = world.addWindow(editor, QRectF(100, 100, 600, 400), "First");
        world.addWindow(editor, QRectF(800, 100, 600, 400), "Second");
        ScreenCapturePermission permission(world.screenCapture, world.clock);
        ThumbnailCapture thumbnails(world.screenCapture, permission, world.provider, world.clock);
        ServiceWindowCapture capture(world.screenCapture, permission, thumbnails);
        world.windowCapture = &capture;
        const auto store = world.make(false);
        WindowPicker &picker = store->windowPicker();

        QVERIFY(picker.prepareWindowPicker(Test::StoreWorld::appItem("Editor"), 1));
        QCOMPARE(picker.windowPreviews().size(), 2);
        // The content request and the images each take the simulated capture's latency.
        world.clock.advance(3 * SimScreenCapture::CaptureLatencyMs);
        QVERIFY(store->thumbnails().keptThumbnails(editor));
        for (const WindowPreviewItem &preview : picker.windowPreviews()) {
            QVERIFY(preview.thumbnail);
            QCOMPARE(*preview.thumbnail, world.screenCapture.imageOf(*preview.windowID, preview.thumbnail->size()));
        }
        QCOMPARE(store->thumbnails().keptThumbnails(editor)->value(WindowPreviewId::forWindow(editor, first)).title,
            std::optional<QString>("First"));
    }

    // Listings, visibility and menu walks on the store's own threads: results
    // come back to the main thread, and a store that goes while they run
    // waits for them instead of being reached by them.
    void backgroundWorkOnRealThreads()
    {
        Test::StoreWorld world;
        world.realThreads = true;
        const qint32 editor = world.addAppWithTwoWindows("Editor");
        const Sim::SimMenuItem file = Test::menu("File", { Test::item("New Window") });
        world.desktop.updateProcess(editor, [&](Sim::SimProcess &process) { process.menuBar = { file }; });
        auto store = world.make(true);

        const AppItem editorItem = Test::StoreWorld::appItem("Editor");
        QVERIFY(store->windowPicker().prepareWindowPicker(editorItem, 1));
        QTRY_VERIFY(!store->windowPreviewCache().isFetching(editor));
        QTRY_VERIFY(!store->windowPicker().isRefreshingVisibleWindowPreviews());
        QTRY_VERIFY(store->menuActions().applicationMenuActionsByProcessIdentifier().contains(editor));
        QCOMPARE(store->windowPicker().visibleWindowPreviewIDs().size(), 2);

        store->windowPicker().dismissWindowPicker();
        store->windowPreviewCache().prefetchWindowPreviews(editorItem);
        store->windowPicker().refreshVisibleWindowPreviewsInBackground();
        store.reset();
        QCoreApplication::processEvents();
    }
};

QTEST_GUILESS_MAIN(TestStoreOnSimDesktop)
#include "tst_storeonsimdesktop.moc"
