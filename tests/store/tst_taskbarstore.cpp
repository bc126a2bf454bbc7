#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/sim/scriptedfavoritefolders.h"
#include "platform/sim/scriptedfileicons.h"
#include "platform/sim/virtualclock.h"
#include "store/finderfavoritesmodel.h"
#include "store/taskbarstore.h"
#include "storeworld.h"
#include "support/appitems.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Velmora::Test::ids;
using namespace Velmora::Test;

namespace {

QStringList defaultPinIDs()
{
    return ids(AppItem::pinnedDefaults());
}

// A store whose workspace is a plain list the test edits, with a clock that
// moves only on request.
struct Fixture : StoreWorld
{
    FakeWorkspace fake;

    Fixture()
    {
        fake.installed.insert("org.editor", "/Applications/Editor.app");
        fake.installed.insert("org.player", "/Applications/Player.app");
        bundles.addBundle("/Applications/Editor.app", BundleInfo { QString("org.editor"), QString("Editor"), {} });
        storeWorkspace = &fake;
    }
};

} // namespace

class TestTaskbarStore : public QObject
{
    Q_OBJECT
private slots:
    void emptyDefaults_data()
    {
        QTest::addColumn<bool>("observesSystem");
        QTest::addColumn<QStringList>("dock");
        QTest::addColumn<QStringList>("expectedPins");
        QTest::addColumn<bool>("pinsStored");
        QTest::newRow("dock with apps") << true << QStringList { "com.apple.finder", "org.editor", "org.gone" }
                                        << QStringList { "com.apple.finder", "org.editor" } << true;
        QTest::newRow("dock with only finder")
            << true << QStringList { "com.apple.finder", "org.gone" } << defaultPinIDs() << false;
        QTest::newRow("passive store never reads the dock")
            << false << QStringList { "com.apple.finder", "org.editor" } << defaultPinIDs() << false;
    }
    void emptyDefaults()
    {
        QFETCH(bool, observesSystem);
        QFETCH(QStringList, dock);
        QFETCH(QStringList, expectedPins);
        QFETCH(bool, pinsStored);
        Fixture f;
        f.dockPins = dock;
        const auto store = f.make(observesSystem);

        QCOMPARE(ids(store->pinnedApps()), expectedPins);
        QCOMPARE(store->startPinnedApps(), store->pinnedApps());
        QCOMPARE(store->taskbarAppOrder(), expectedPins);
        QCOMPARE(store->windowPreviewSortOrder(), WindowPreviewSortOrder::Fixed);
        QCOMPARE(store->buttonAlignment(), TaskbarButtonAlignment::Center);
        QVERIFY(store->showStartButton() && store->showSearch() && store->keepWindowOrder());
        QVERIFY(store->recentAppIdentifiers().isEmpty());
        QCOMPARE(f.dockReads, observesSystem ? 1 : 0);
        // Only a useful Dock answer is remembered; everything else is read, never written back.
        QCOMPARE(f.defaults.writtenKeys(),
            pinsStored ? QStringList { "PinnedApplicationBundleIdentifiers" } : QStringList {});
        if (pinsStored)
            QCOMPARE(*f.defaults.stringListValue("PinnedApplicationBundleIdentifiers"), expectedPins);
        // A resolved Dock pin is named from its bundle.
        if (pinsStored)
            QCOMPARE(store->pinnedApps().at(1),
                (AppItem { "org.editor", "Editor", QString("org.editor"),
                    QUrl::fromLocalFile("/Applications/Editor.app"), false, std::nullopt }));
    }

    void storedValuesOfTheWrongTypeFallBack()
    {
        Fixture f;
        f.defaults.setValue("TaskbarShowStartButton", QString("false"));
        f.defaults.setValue("TaskbarShowSearchButton", false);
        f.defaults.setValue("KeepWindowOrder", qint64(0));
        f.defaults.setValue("WindowPreviewSortOrder", QString("Alphabetical"));
        f.defaults.setValue("TaskbarButtonAlignment", QString("left"));
        f.defaults.setValue("PinnedApplicationBundleIdentifiers", QString("org.editor"));
        const qsizetype writesBefore = f.defaults.writtenKeys().size();

        const auto store = f.make(false);
        QVERIFY(store->showStartButton());
        QVERIFY(!store->showSearch());
        QVERIFY(store->keepWindowOrder());
        QCOMPARE(store->windowPreviewSortOrder(), WindowPreviewSortOrder::Fixed);
        QCOMPARE(store->buttonAlignment(), TaskbarButtonAlignment::Left);
        QCOMPARE(ids(store->pinnedApps()), defaultPinIDs());
        QCOMPARE(f.defaults.writtenKeys().size(), writesBefore);
    }

    void storedListsLoadWithoutRepeats()
    {
        Fixture f;
        // An empty list is a choice: no pins, and the Dock is not asked.
        f.defaults.setValue("PinnedApplicationBundleIdentifiers", QStringList {});
        f.defaults.setValue("StartPinnedApplicationBundleIdentifiers",
            QStringList { "org.editor", "com.apple.mail", "org.editor", "org.uninstalled" });
        f.defaults.setValue("TaskbarApplicationOrder", QStringList { "b", "a", "b" });
        f.defaults.setValue(
            "RecentApplicationBundleIdentifiers", QStringList { "r1", "r1", "r2", "r3", "r4", "r5", "r6" });
        const auto store = f.make(true);

        QVERIFY(store->pinnedApps().isEmpty());
        QCOMPARE(f.dockReads, 0);
        // The uninstalled app is dropped; a default pin stays even though nothing installs Mail here.
        QCOMPARE(ids(store->startPinnedApps()), QStringList({ "org.editor", "com.apple.mail" }));
        QCOMPARE(store->taskbarAppOrder(), QStringList({ "b", "a" }));
        QCOMPARE(store->recentAppIdentifiers(), QStringList({ "r1", "r2", "r3", "r4", "r5" }));
    }

    void settingsWriteRules()
    {
        Fixture f;
        const auto store = f.make(false);
        QSignalSpy alignment(store.get(), &TaskbarStore::buttonAlignmentChanged);
        QSignalSpy sortOrder(store.get(), &TaskbarStore::windowPreviewSortOrderChanged);

        // Alignment and the two buttons are written on every assignment, but publish only changes.
        store->setButtonAlignment(TaskbarButtonAlignment::Center);
        store->setShowSearch(true);
        QCOMPARE(alignment.size(), 0);
        QCOMPARE(f.defaults.writtenKeys(), QStringList({ "TaskbarButtonAlignment", "TaskbarShowSearchButton" }));
        QCOMPARE(*f.defaults.stringValue("TaskbarButtonAlignment"), QString("center"));

        store->setWindowPreviewSortOrder(WindowPreviewSortOrder::Fixed);
        QCOMPARE(sortOrder.size(), 0);
        QCOMPARE(f.defaults.writtenKeys().size(), 2);
        store->setWindowPreviewSortOrder(WindowPreviewSortOrder::LastUsed);
        QCOMPARE(sortOrder.size(), 1);
        QCOMPARE(*f.defaults.stringValue("WindowPreviewSortOrder"), QString("lastUsed"));

        QSignalSpy search(store.get(), &TaskbarStore::searchTextChanged);
        store->setSearchText("saf");
        store->setSearchText("saf");
        QCOMPARE(search.size(), 1);
    }

    void keepWindowOrderSwitchesTheTakeover()
    {
        Fixture f;
        f.desktop.setAccessibilityTrusted(false);
        const auto store = f.make(false);
        store->setNativeMinimizeRequest(NativeMinimizeRequest {});
        store->setPendingMinimizeHandoff(NativeMinimizeRequest {});

        store->setKeepWindowOrder(true);
        QVERIFY(f.defaults.writtenKeys().isEmpty());
        QCOMPARE(f.interception.stops, 0);
        QVERIFY(store->nativeMinimizeRequest());

        store->setKeepWindowOrder(false);
        QCOMPARE(f.defaults.boolValue("KeepWindowOrder"), std::optional<bool>(false));
        QCOMPARE(f.interception.stops, 1);
        QVERIFY(!store->nativeMinimizeRequest() && !store->pendingMinimizeHandoff());

        // Not trusted for accessibility: switching back on starts nothing.
        store->setKeepWindowOrder(true);
        QCOMPARE(f.interception.starts, 0);
    }

    void hidingTheStartButton_data()
    {
        QTest::addColumn<bool>("startMenuOpen");
        QTest::newRow("start menu open closes every flyout") << true;
        QTest::newRow("only the overflow open closes nothing") << false;
    }
    void hidingTheStartButton()
    {
        QFETCH(bool, startMenuOpen);
        Fixture f;
        const auto store = f.make(false);
        Flyouts &flyouts = store->flyouts();
        flyouts.setPresentedDisplayID(7);
        store->setSearchText("mail");
        if (startMenuOpen)
            flyouts.setStartMenuPresented(true);
        else
            flyouts.setTaskbarOverflowPresented(true);

        store->setShowStartButton(false);
        QCOMPARE(f.defaults.boolValue("TaskbarShowStartButton"), std::optional<bool>(false));
        QVERIFY(!flyouts.isStartMenuPresented());
        QCOMPARE(flyouts.isTaskbarOverflowPresented(), !startMenuOpen);
        QCOMPARE(flyouts.presentedDisplayID(), startMenuOpen ? std::nullopt : std::optional<quint32>(7));
        QCOMPARE(store->searchText(), startMenuOpen ? QString() : QString("mail"));
    }

    void passiveStoreWatchesNothing()
    {
        Fixture f;
        f.fake.applications = { runningApplication(10, "org.editor", "Editor") };
        FakeTaskManagerState taskManager;
        taskManager.open = true;
        const int desktopJobs = f.clock.pendingJobCount();
        const auto store = f.make(false, &taskManager);
        QSignalSpy running(store.get(), &TaskbarStore::runningAppsChanged);

        QCOMPARE(f.clock.pendingJobCount(), desktopJobs);
        QVERIFY(!store->windowRefreshTimer());
        emit f.fake.applicationLaunched(f.fake.applications.first());
        store->refreshRunningApps();
        f.clock.advance(60'000);
        QCoreApplication::processEvents();
        QVERIFY(store->runningApps().isEmpty());
        QCOMPARE(running.size(), 0);
        QVERIFY(store->installedApps().isEmpty());
        // The Task Manager's state is mirrored even by a passive store.
        QVERIFY(store->isTaskManagerOpen());
        taskManager.setOpen(false);
        QVERIFY(!store->isTaskManagerOpen());
    }

    void favouritesAreReadAtStartOnlyWhenObserving_data()
    {
        QTest::addColumn<bool>("observesSystem");
        QTest::newRow("observing") << true;
        QTest::newRow("passive") << false;
    }
    void favouritesAreReadAtStartOnlyWhenObserving()
    {
        QFETCH(bool, observesSystem);
        Fixture f;
        f.folders.setEntries({ { QUrl::fromLocalFile("/home/u/Documents"), "Documents", true } });
        const auto store = f.make(observesSystem);
        // Read before the constructor returns, not in the background.
        QCOMPARE(f.folders.readCount(), observesSystem ? 1 : 0);
        QCOMPARE(store->finderFavorites().size(), observesSystem ? 1 : 0);
    }

    void favouritesRefreshPublishesOnlyChanges()
    {
        Fixture f;
        f.folders.setEntries({ { QUrl::fromLocalFile("/home/u/Documents"), "Documents", true } });
        // The background read runs at once, so the test sees each refresh complete.
        FinderFavoritesModel favourites(f.folders, f.icons, [](std::function<void()> work) { work(); });
        f.favouritesModel = &favourites;
        const auto store = f.make(false);
        QSignalSpy changed(store.get(), &TaskbarStore::finderFavoritesChanged);

        store->refreshFinderFavorites();
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(store->finderFavorites().size(), 1);

        store->refreshFinderFavorites();
        QCoreApplication::processEvents();
        QCOMPARE(changed.size(), 1);
    }

    void runningAppsFollowTheWorkspace()
    {
        Fixture f;
        f.fake.applications = {
            runningApplication(10, "org.player", "Player"),
            runningApplication(11, "org.editor", "Editor"),
            runningApplication(12, "org.editor", "Editor"),
            runningApplication(13, "org.velmora.Velmora", "Velmora"),
            runningApplication(14, "org.agent", "Agent", ActivationPolicy::Accessory),
            runningApplication(15, "", "No Bundle"),
        };
        const auto store = f.make(true);
        QCOMPARE(ids(store->runningApps()), QStringList({ "org.editor", "org.player" }));
        QVERIFY(store->runningApps().first().isRunning);

        const auto timer = store->windowRefreshTimer();
        QVERIFY(timer);
        QCOMPARE(f.clock.intervalOf(*timer), 5000);
        QCOMPARE(f.clock.toleranceOf(*timer), 1000);

        // A tick with nothing changed publishes nothing; a quit app is gone by the next tick.
        QSignalSpy running(store.get(), &TaskbarStore::runningAppsChanged);
        f.clock.advance(5000);
        QCOMPARE(running.size(), 0);
        f.fake.applications.removeFirst();
        f.clock.advance(4999);
        QCOMPARE(running.size(), 0);
        f.clock.advance(1);
        QCOMPARE(running.size(), 1);
        QCOMPARE(ids(store->runningApps()), QStringList({ "org.editor" }));
        QVERIFY(f.focus.refreshes >= 3);

        // The tick also notices the settings window, which then has its own button.
        f.settingsWindow.open = true;
        f.clock.advance(5000);
        QVERIFY(store->isSettingsWindowOpen());
        QCOMPARE(store->taskbarApps().last().id, QString("velmora-settings"));
    }

    void activationRecordsRecentsAfterTheNotification()
    {
        Fixture f;
        const auto store = f.make(true);
        const RunningApplication editor = runningApplication(11, "org.editor", "Editor");
        f.fake.applications = { editor };
        emit f.fake.applicationActivated(editor);
        // Handled on the next turn of the loop, not inside the notification.
        QVERIFY(store->recentAppIdentifiers().isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(store->recentAppIdentifiers(), QStringList({ "org.editor" }));
        QCOMPARE(f.focus.recorded, QList<qint32>({ 11 }));
        QCOMPARE(ids(store->runningApps()), QStringList({ "org.editor" }));
    }

    void recentApps()
    {
        Fixture f;
        const auto store = f.make(false);
        // Activating twice writes once; helpers and this app itself never count.
        store->recordRecentApp(runningApplication(20, "org.editor", "Editor"));
        store->recordRecentApp(runningApplication(20, "org.editor", "Editor"));
        store->recordRecentApp(runningApplication(21, "org.agent", "Agent", ActivationPolicy::Prohibited));
        store->recordRecentApp(runningApplication(22, "org.velmora.Velmora", "Velmora"));
        QCOMPARE(f.defaults.writtenKeys(), QStringList({ "RecentApplicationBundleIdentifiers" }));
        store->recordRecentApp(runningApplication(23, "org.deleted", "Deleted"));
        QCOMPARE(store->recentAppIdentifiers(), QStringList({ "org.deleted", "org.editor" }));

        // A deleted app drops out of the list shown, not out of the stored one.
        const QList<AppItem> shown = store->recentApps();
        QCOMPARE(ids(shown), QStringList({ "org.editor" }));
        QCOMPARE(shown.first().name, QString("Editor"));
        QCOMPARE(f.defaults.stringListValue("RecentApplicationBundleIdentifiers")->size(), 2);
    }

    void recentAppsTopUpFromRunningApps()
    {
        Fixture f;
        for (int i = 1; i <= 6; ++i) {
            const QString id = QString("org.app%1").arg(i);
            f.fake.applications << runningApplication(100 + i, id, QString("App %1").arg(i));
            if (i != 2)
                f.fake.installed.insert(id, QString("/Applications/App.app.%1.app").arg(i));
        }
        const auto store = f.make(true);
        // The unresolvable second app leaves its slot empty rather than pulling in a sixth.
        QCOMPARE(ids(store->recentApps()), QStringList({ "org.app1", "org.app3", "org.app4", "org.app5" }));
        // Named after the bundle without its extension, however many dots the name holds.
        QCOMPARE(store->recentApps().first().name, QString("App.app.1"));
    }

    void pinning()
    {
        Fixture f;
        f.defaults.setValue("PinnedApplicationBundleIdentifiers", QStringList { "org.editor" });
        f.defaults.setValue("StartPinnedApplicationBundleIdentifiers", QStringList { "org.editor" });
        f.defaults.setValue("TaskbarApplicationOrder", QStringList { "org.editor" });
        const auto store = f.make(false);
        const int written = int(f.defaults.writtenKeys().size());

        // Nothing to pin: a pseudo-app, or an app pinned already under another id.
        AppItem sameBundle = app("org.editor", "Editor");
        sameBundle.id = "/Applications/Editor.app";
        store->pin(AppItem::taskManager());
        store->pin(sameBundle);
        store->pinToStart(AppItem::taskManager());
        store->unpinFromStart(AppItem::velmoraSettings());
        QCOMPARE(f.defaults.writtenKeys().size(), written);
        QVERIFY(store->isPinned(sameBundle));

        AppItem player { "org.player", "Player", QString("org.player"), QUrl::fromLocalFile("/Applications/Player.app"),
            true, std::nullopt };
        store->pin(player);
        QCOMPARE(ids(store->pinnedApps()), QStringList({ "org.editor", "org.player" }));
        QVERIFY(!store->pinnedApps().last().isRunning);
        QCOMPARE(store->taskbarAppOrder(), QStringList({ "org.editor", "org.player" }));
        QCOMPARE(*f.defaults.stringListValue("TaskbarApplicationOrder"), store->taskbarAppOrder());
        QCOMPARE(*f.defaults.stringListValue("PinnedApplicationBundleIdentifiers"),
            QStringList({ "org.editor", "org.player" }));

        // Unpinning an app that is not pinned still saves the unchanged list.
        const qsizetype before = f.defaults.writtenKeys().size();
        store->unpin(app("org.other", "Other"));
        QCOMPARE(f.defaults.writtenKeys().size(), before + 1);
        store->unpin(player);
        QCOMPARE(ids(store->pinnedApps()), QStringList({ "org.editor" }));
        QCOMPARE(store->taskbarAppOrder(), QStringList({ "org.editor", "org.player" }));

        store->pinToStart(player);
        QVERIFY(store->isPinnedToStart(player));
        store->reorderStartPinnedApps({});
        store->reorderStartPinnedApps({ "org.player" });
        QCOMPARE(ids(store->startPinnedApps()), QStringList({ "org.player", "org.editor" }));
        QCOMPARE(*f.defaults.stringListValue("StartPinnedApplicationBundleIdentifiers"),
            QStringList({ "org.player", "org.editor" }));
    }

    void draggingAButtonSavesOrderAndPins()
    {
        Fixture f;
        f.defaults.setValue("PinnedApplicationBundleIdentifiers", QStringList { "com.apple.Safari", "com.apple.mail" });
        f.defaults.setValue(
            "TaskbarApplicationOrder", QStringList { "com.apple.Safari", "org.quit", "com.apple.mail" });
        f.fake.applications
            = { runningApplication(30, "org.player", "Player"), runningApplication(31, "com.apple.mail", "Mail") };
        const auto store = f.make(true);
        QCOMPARE(ids(store->taskbarApps()), QStringList({ "com.apple.Safari", "com.apple.mail", "org.player" }));
        QVERIFY(store->isAppRunning(store->pinnedApps().at(1)));
        QVERIFY(!store->isAppRunning(store->pinnedApps().at(0)));
        QVERIFY(store->isAppRunning(AppItem::taskManager()));

        const qsizetype setupWrites = f.defaults.writtenKeys().size();
        store->reorderTaskbarApps({ "org.player", "com.apple.mail" });
        QCOMPARE(
            store->taskbarAppOrder(), QStringList({ "org.player", "com.apple.mail", "com.apple.Safari", "org.quit" }));
        QCOMPARE(f.defaults.writtenKeys().size(), setupWrites);
        store->finishTaskbarAppMove();
        QCOMPARE(*f.defaults.stringListValue("TaskbarApplicationOrder"), store->taskbarAppOrder());
        QCOMPARE(*f.defaults.stringListValue("PinnedApplicationBundleIdentifiers"),
            QStringList({ "com.apple.mail", "com.apple.Safari" }));
        QCOMPARE(f.defaults.writtenKeys().mid(setupWrites),
            QStringList({ "TaskbarApplicationOrder", "PinnedApplicationBundleIdentifiers" }));
    }

    void barListFollowsItsInputsThroughOneSignal()
    {
        Fixture f;
        f.defaults.setValue("PinnedApplicationBundleIdentifiers", QStringList { "com.apple.finder" });
        f.fake.applications = { runningApplication(30, "org.player", "Player") };
        const auto store = f.make(true);
        QSignalSpy bar(store.get(), &TaskbarStore::taskbarAppsChanged);

        // Inputs that leave the list as it was publish nothing: Finder is pinned,
        // so its windows do not matter, and a refresh with nothing new changes nothing.
        store->setFinderHasWindows(false);
        store->refreshRunningApps();
        QCOMPARE(bar.size(), 0);

        // Each of the other inputs changes the list once.
        store->setSettingsWindowOpen(true);
        store->setOnboardingOpen(true);
        store->setOtherVelmoraWindowTitle(QString("Notes"));
        f.taskManager.setOpen(true);
        f.fake.applications.append(runningApplication(31, "org.editor", "Editor"));
        store->refreshRunningApps();
        store->reorderTaskbarApps({ "org.editor" });
        store->unpin(AppItem { "com.apple.finder", "Finder", QString("com.apple.finder"), std::nullopt, false,
            std::nullopt });
        QCOMPARE(bar.size(), 7);
        QCOMPARE(ids(store->taskbarApps()),
            QStringList({ "org.editor", "org.player", "velmora-settings", "velmora-setup", "velmora-windows",
                "velmora-health-check" }));
    }

    void activationKeepsOrDropsAHeldMinimize_data()
    {
        QTest::addColumn<qint32>("activatedPid");
        QTest::addColumn<bool>("kept");
        QTest::newRow("the target") << 40 << true;
        QTest::newRow("this application") << 1 << true;
        QTest::newRow("a third application") << 41 << false;
    }
    void activationKeepsOrDropsAHeldMinimize()
    {
        QFETCH(qint32, activatedPid);
        QFETCH(bool, kept);
        Fixture f;
        const auto store = f.make(false);
        NativeMinimizeRequest request;
        request.targetProcessIdentifier = 40;
        store->setNativeMinimizeRequest(request);
        store->handleApplicationActivation(std::nullopt);
        QVERIFY(store->nativeMinimizeRequest());
        store->handleApplicationActivation(runningApplication(activatedPid, "org.any", "Any"));
        QCOMPARE(store->nativeMinimizeRequest().has_value(), kept);
    }

    void settingsWindowGrowsToItsContent_data()
    {
        QTest::addColumn<double>("contentHeight");
        QTest::addColumn<QRectF>("expected");
        // Screen 0..1000 high, visible frame from 20 (a Dock strip): the bar
        // strip raises the usable bottom to 57. The window sits at y 400, 300 high.
        QTest::newRow("smaller content keeps the height") << 200.0 << QRectF(100, 400, 500, 300);
        QTest::newRow("half a point is not worth a change") << 272.4 << QRectF(100, 400, 500, 300);
        QTest::newRow("grows downwards, top edge fixed") << 372.0 << QRectF(100, 300, 500, 400);
        QTest::newRow("taller than the screen fills the usable area") << 5000.0 << QRectF(100, 57, 500, 918);
        QTest::newRow("no height measured yet") << 0.0 << QRectF(100, 400, 500, 300);
    }
    void settingsWindowGrowsToItsContent()
    {
        QFETCH(double, contentHeight);
        QFETCH(QRectF, expected);
        Fixture f;
        f.settingsWindow.frame = QRectF(100, 400, 500, 300);
        f.settingsWindow.screen
            = DisplayInfo { 1, "Main", QRectF(0, 0, 1440, 1000), QRectF(0, 20, 1440, 955), {}, 2.0 };
        const auto store = f.make(false);
        store->setSettingsContentHeight(contentHeight);
        store->fitSettingsWindowToContent();
        QCOMPARE(*f.settingsWindow.frame, expected);
    }

    void installedAppsArriveFromTheScan()
    {
        Fixture f;
        f.bundles.addBundle(
            "/Applications/Safari.app", BundleInfo { QString("com.apple.Safari"), QString("Safari"), {} });
        const auto store = f.make(true);
        QSignalSpy installed(store.get(), &TaskbarStore::installedAppsChanged);
        QVERIFY(installed.wait());
        QCOMPARE(ids(store->installedApps()), QStringList({ "org.editor", "com.apple.Safari" }));
        store->setSearchText(" safari ");
        QCOMPARE(ids(store->searchResults()), QStringList({ "com.apple.Safari" }));
    }

    void nothingReachesADestroyedStore()
    {
        Fixture f;
        FakeTaskManagerState taskManager;
        const int desktopJobs = f.clock.pendingJobCount();
        auto store = f.make(true, &taskManager);
        // A notification already queued when the store goes.
        emit f.fake.applicationActivated(runningApplication(11, "org.editor", "Editor"));
        store.reset();
        // Neither the scan's result, the tick, the queued notification nor a
        // Task Manager change may reach the destroyed store.
        QCOMPARE(f.clock.pendingJobCount(), desktopJobs);
        f.clock.advance(TaskbarStore::refreshIntervalMs);
        taskManager.setOpen(true);
        QTest::qWait(0);
        QVERIFY(f.focus.recorded.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTaskbarStore)
#include "tst_taskbarstore.moc"
