#include "app/appupdater.h"
#include "app/launchatlogin.h"
#include "app/model/settingspage.h"
#include "app/model/settingsrefresh.h"
#include "app/permissionbadge.h"
#include "app/permissionrow.h"
#include "app/segmentedpicker.h"
#include "app/settingsswitch.h"
#include "app/settingsview.h"
#include "app/settingswindowmarker.h"
#include "platform/sim/scriptedloginitemservice.h"
#include "platform/sim/scriptedupdaterbackend.h"
#include "services/velmoraownwindows.h"
#include "../store/storeworld.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

using namespace Velmora;
using State = SettingsPage::PermissionRowState;

namespace {

// A passive store on the simulated desktop and the settings page over it.
struct PageWorld : Test::StoreWorld
{
    std::unique_ptr<TaskbarStore> store = make(false);
    int quits = 0;
    int restarts = 0;
    int loginItemsOpened = 0;
    Sim::ScriptedLoginItemService loginService;
    LaunchAtLogin *login = nullptr;
    AppUpdater *updater = nullptr;

    std::unique_ptr<SettingsView> page(EnglishSpelling::Variant spelling = EnglishSpelling::British)
    {
        return std::make_unique<SettingsView>(SettingsView::Environment{
            .store = *store,
            .scheduler = clock,
            .quit = [this] { ++quits; },
            .restart = [this] { ++restarts; },
            .launchAtLogin = login,
            .updater = updater,
            .openLoginItems = [this] { ++loginItemsOpened; },
            .spelling = spelling,
        });
    }

    int prompts() const
    {
        int count = 0;
        for (const Sim::SimRequest &request : desktop.requests(Sim::SimOperations::IsProcessTrusted))
            count += request.name == QLatin1String("prompt") ? 1 : 0;
        return count;
    }
};

QStringList labelTexts(const QWidget &page)
{
    QStringList texts;
    for (const QLabel *label : page.findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

} // namespace

class TestSettingsView : public QObject
{
    Q_OBJECT

private slots:
    void textsInBothSpellings_data()
    {
        QTest::addColumn<int>("spelling");
        QTest::addColumn<QStringList>("alignments");
        QTest::addColumn<QString>("startSubtitle");
        QTest::addColumn<QString>("keepOrderEnding");
        QTest::newRow("american") << int(EnglishSpelling::American) << QStringList{"Left", "Center", "Right"}
                                  << "Open your apps, favorites and All apps." << "standard macOS behavior.";
        QTest::newRow("british") << int(EnglishSpelling::British) << QStringList{"Left", "Centre", "Right"}
                                 << "Open your apps, favourites and All apps." << "standard macOS behaviour.";
    }

    void textsInBothSpellings()
    {
        QFETCH(int, spelling);
        QFETCH(QStringList, alignments);
        QFETCH(QString, startSubtitle);
        QFETCH(QString, keepOrderEnding);
        PageWorld world;
        const auto page = world.page(EnglishSpelling::Variant(spelling));
        QCOMPARE(page->alignmentPicker()->titles(), alignments);
        const QStringList texts = labelTexts(*page);
        QVERIFY(texts.contains(startSubtitle));
        QVERIFY(std::any_of(texts.begin(), texts.end(), [&](const QString &text) {
            return text.startsWith("When you minimize or close a window") && text.endsWith(keepOrderEnding);
        }));
        // No updater: the column ends with Permissions.
        QCOMPARE(page->sectionTitles(), (QStringList{"Taskbar", "Windows", "Permissions"}));
        QCOMPARE(page->previewOrderPicker()->itemText(0), QStringLiteral("Last used"));
        QCOMPARE(page->previewOrderPicker()->count(), 3);
        QCOMPARE(page->quitButton()->text(), QStringLiteral("Quit Velmora"));
        QCOMPARE(page->startButtonSwitch()->accessibleName(), QStringLiteral("Start button"));
    }

    void theLoginItemRow()
    {
        PageWorld world;
        world.loginService.setStatusAfterRegistering(LoginItemService::Status::RequiresApproval);
        LaunchAtLogin login(world.loginService);
        world.login = &login;
        const auto page = world.page();
        page->show();
        QCOMPARE(page->sectionTitles().first(), QStringLiteral("General"));
        QVERIFY(!page->openAtLoginSwitch()->isChecked());
        QVERIFY(!page->openLoginItemsButton()->isVisible());

        // Waiting for approval: on, with the notice and the way to approve.
        page->openAtLoginSwitch()->click();
        QVERIFY(login.needsApproval() && !login.isEnabled());
        QVERIFY(page->openAtLoginSwitch()->isChecked());
        QVERIFY(page->openLoginItemsButton()->isVisible());
        QVERIFY(labelTexts(*page).contains(
            "Allow Velmora in System Settings > Login Items to finish turning this on."));
        page->openLoginItemsButton()->click();
        QCOMPARE(world.loginItemsOpened, 1);

        // Approved elsewhere: the next refresh takes the button away.
        world.loginService.setStatus(LoginItemService::Status::Enabled);
        world.store->setSettingsWindowOpen(true);
        world.clock.advance(1000);
        QVERIFY(!page->openLoginItemsButton()->isVisible());
        QVERIFY(page->openAtLoginSwitch()->isChecked());

        // A failed change is shown in the subtitle, not as an alert.
        world.loginService.failNextChange("Operation not permitted");
        page->openAtLoginSwitch()->click();
        QVERIFY(page->openAtLoginSwitch()->isChecked());
        QVERIFY(labelTexts(*page).contains("Couldn’t change this: Operation not permitted"));
    }

    void theUpdatesSectionNeedsAnUpdater()
    {
        PageWorld world;
        Sim::ScriptedUpdaterBackend *backend = nullptr;
        AppUpdater updater(AppUpdater::Environment{
            .makeBackend = [&backend]() -> std::unique_ptr<UpdaterBackend> {
                auto made = std::make_unique<Sim::ScriptedUpdaterBackend>(false);
                backend = made.get();
                return made;
            },
            .isDistributionSigned = [] { return true; },
            .shortVersion = QString("1.4.2"),
        });
        world.updater = &updater;
        // Not started: no framework, no section.
        QVERIFY(!world.page()->sectionTitles().contains("Updates"));

        updater.start();
        const auto page = world.page();
        QCOMPARE(page->sectionTitles().last(), QStringLiteral("Updates"));
        QVERIFY(labelTexts(*page).contains("Velmora 1.4.2"));
        page->automaticChecksSwitch()->click();
        QVERIFY(updater.automaticallyChecks());
        QVERIFY(backend->automaticallyChecksForUpdates());
        page->checkNowButton()->click();
        QCOMPARE(backend->checkCount(), 1);
    }

    void controlsWriteTheStoreAndFollowIt()
    {
        PageWorld world;
        const auto page = world.page();
        TaskbarStore &store = *world.store;

        QTest::mouseClick(page->alignmentPicker(), Qt::LeftButton, {},
            page->alignmentPicker()->segmentRect(0).center());
        QCOMPARE(store.buttonAlignment(), TaskbarButtonAlignment::Left);
        QCOMPARE(world.defaults.stringValue("TaskbarButtonAlignment"), std::optional<QString>("left"));

        page->startButtonSwitch()->click();
        QVERIFY(!store.showStartButton());
        QCOMPARE(world.defaults.boolValue("TaskbarShowStartButton"), std::optional(false));
        page->searchButtonSwitch()->click();
        QCOMPARE(world.defaults.boolValue("TaskbarShowSearchButton"), std::optional(false));
        page->keepWindowOrderSwitch()->click();
        QCOMPARE(world.defaults.boolValue("KeepWindowOrder"), std::optional(false));
        page->previewOrderPicker()->activated(1);
        QCOMPARE(store.windowPreviewSortOrder(), WindowPreviewSortOrder::Alphabetical);
        QCOMPARE(world.defaults.stringValue("WindowPreviewSortOrder"), std::optional<QString>("alphabetical"));

        // A change made elsewhere shows at once.
        store.setButtonAlignment(TaskbarButtonAlignment::Right);
        store.setShowStartButton(true);
        store.setWindowPreviewSortOrder(WindowPreviewSortOrder::Fixed);
        QCOMPARE(page->alignmentPicker()->currentIndex(), 2);
        QVERIFY(page->startButtonSwitch()->isChecked());
        QCOMPARE(page->previewOrderPicker()->currentIndex(), 2);

        page->quitButton()->click();
        QCOMPARE(world.quits, 1);
    }

    void permissionRowsAndThePromptOnce()
    {
        PageWorld world;
        world.desktop.setAccessibilityTrusted(false);
        world.store->permissions().refreshPermissions();
        const auto page = world.page();
        PermissionRow *row = page->permissionRow(AppPermission::accessibility);
        QCOMPARE(row->state(), State::NotGranted);
        QVERIFY(!row->badge()->isGranted());
        QCOMPARE(row->badge()->text(), QStringLiteral("Not yet granted"));

        // The first request ever prompts; every later one opens the privacy pane.
        row->allowButton()->click();
        QCOMPARE(row->state(), State::Requested);
        QCOMPARE(world.prompts(), 1);
        QCOMPARE(world.callsTo(Sim::SimOperations::OpenUrl), 0);
        row->allowButton()->click();
        QCOMPARE(world.prompts(), 1);
        const QList<Sim::SimRequest> opened = world.desktop.requests(Sim::SimOperations::OpenUrl);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().detail.toUrl().toString().endsWith("Privacy_Accessibility"));

        row->restartButton()->click();
        QCOMPARE(world.restarts, 1);

        // Granted in the system settings: the next refresh turns the row.
        world.desktop.setAccessibilityTrusted(true);
        world.store->permissions().refreshPermissions();
        QCOMPARE(row->state(), State::Granted);
        QCOMPARE(row->badge()->text(), QStringLiteral("Allowed"));
        // Revoked again: asked for on this page, so the restart offer is back.
        world.desktop.setAccessibilityTrusted(false);
        world.store->permissions().refreshPermissions();
        QCOMPARE(row->state(), State::Requested);
        // The other row was never asked for.
        QCOMPARE(page->permissionRow(AppPermission::screenRecording)->state() == State::Requested, false);
    }

    void rowStates_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("requested");
        QTest::addColumn<int>("state");
        QTest::newRow("granted, never asked") << true << false << int(State::Granted);
        QTest::newRow("granted after asking") << true << true << int(State::Granted);
        QTest::newRow("not granted") << false << false << int(State::NotGranted);
        QTest::newRow("asked, still not granted") << false << true << int(State::Requested);
    }

    void rowStates()
    {
        QFETCH(bool, granted);
        QFETCH(bool, requested);
        QFETCH(int, state);
        QCOMPARE(int(SettingsPage::permissionRowState(granted, requested)), state);
        PermissionRow row(AppPermission::screenRecording);
        row.setState(State(state));
        QCOMPARE(row.allowButton()->isVisibleTo(&row), !granted);
        QCOMPARE(row.restartButton()->isVisibleTo(&row), !granted && requested);
        QCOMPARE(row.restartPrompt()->isVisibleTo(&row), !granted && requested);
    }

    void loginItemSubtitle_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("needsApproval");
        QTest::addColumn<QString>("subtitle");
        QTest::newRow("plain") << QString() << false << "Start Velmora automatically when you log in to your Mac.";
        QTest::newRow("needs approval") << QString() << true
                                        << "Allow Velmora in System Settings > Login Items to finish turning this on.";
        QTest::newRow("the error wins") << "Operation not permitted" << true
                                        << "Couldn’t change this: Operation not permitted";
    }

    void loginItemSubtitle()
    {
        QFETCH(QString, error);
        QFETCH(bool, needsApproval);
        QFETCH(QString, subtitle);
        QCOMPARE(SettingsPage::launchAtLoginSubtitle(error, needsApproval), subtitle);
        QVERIFY(SettingsPage::launchAtLoginSwitchOn(false, true));
    }

    void refreshRunsOnlyWhileTheWindowIsOpen()
    {
        PageWorld world;
        int refreshes = 0;
        SettingsRefresh refresh(*world.store, world.clock, [&] { ++refreshes; });
        world.clock.advance(3000);
        QCOMPARE(refreshes, 0);

        world.store->setSettingsWindowOpen(true);
        world.clock.advance(999);
        QCOMPARE(refreshes, 0);
        world.clock.advance(1);
        QCOMPARE(refreshes, 1);
        world.clock.advance(2000);
        QCOMPARE(refreshes, 3);

        world.store->setSettingsWindowOpen(false);
        QVERIFY(!refresh.isRunning());
        world.clock.advance(5000);
        QCOMPARE(refreshes, 3);

        // Open again: a full second later, then every second.
        world.store->setSettingsWindowOpen(true);
        world.clock.advance(1000);
        QCOMPARE(refreshes, 4);
    }

    void fittingGrowsOnceNeverShrinksAndStaysAboveTheBar()
    {
        PageWorld world;
        DisplayInfo screen;
        screen.frame = QRectF(0, 0, 1440, 900);
        screen.visibleFrame = QRectF(0, 0, 1440, 875);
        world.settingsWindow.screen = screen;
        world.settingsWindow.frame = QRectF(420, 300, 600, 400);
        TaskbarStore &store = *world.store;

        // A report of 0 fits nothing and still leaves the next report the first.
        SettingsPage::reportContentHeight(store, 0);
        QVERIFY(world.settingsWindow.framesSet.isEmpty());
        SettingsPage::reportContentHeight(store, 600);
        QCOMPARE(world.settingsWindow.framesSet.size(), 1);
        // Grown downwards, its top edge where it was.
        QCOMPARE(*world.settingsWindow.frame, QRectF(420, 72, 600, 628));

        // Later reports only record the height.
        SettingsPage::reportContentHeight(store, 700);
        SettingsPage::reportContentHeight(store, 300);
        QCOMPARE(world.settingsWindow.framesSet.size(), 1);
        QCOMPARE(store.settingsContentHeight(), 300.0);

        // Showing again fits to the latest height: smaller never shrinks it,
        // taller than the screen stops at the bar's strip.
        store.fitSettingsWindowToContent();
        QCOMPARE(world.settingsWindow.framesSet.size(), 1);
        store.setSettingsContentHeight(5000);
        store.fitSettingsWindowToContent();
        QCOMPARE(*world.settingsWindow.frame, QRectF(420, 57, 600, 875 - 57));
    }

    void theMarkerKeepsTheOpenFlagInStep()
    {
        PageWorld world;
        TaskbarStore &store = *world.store;
        QWidget window;
        window.setWindowTitle("Velmora Settings");
        auto *layout = new QVBoxLayout(&window);
        auto *marker = new SettingsWindowMarker(store, &window);
        layout->addWidget(marker);
        marker->configureWindow();
        // Configured but never shown: not open.
        QVERIFY(!store.isSettingsWindowOpen());
        QCOMPARE(window.objectName(), QStringLiteral("Velmora.Settings"));
        QCOMPARE(VelmoraOwnWindows::role(window.windowHandle()), VelmoraOwnWindows::Role::Settings);
        QCOMPARE(window.minimumSize(), QSize(540, 440));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(store.isSettingsWindowOpen());

        window.close();
        QTRY_VERIFY(!store.isSettingsWindowOpen());
        // The page updating behind a closed window, or moving into it again,
        // never marks it open.
        for (int i = 0; i < 3; ++i)
            marker->configureWindow();
        QCoreApplication::processEvents();
        QVERIFY(!store.isSettingsWindowOpen());

        // One watch however often it ran: a show reports once more, and a close ends it.
        window.show();
        QTRY_VERIFY(store.isSettingsWindowOpen());
        QCOMPARE(marker->watchedWindow(), &window);
        window.close();
        QTRY_VERIFY(!store.isSettingsWindowOpen());
    }
};

QTEST_MAIN(TestSettingsView)
#include "tst_settingsview.moc"
