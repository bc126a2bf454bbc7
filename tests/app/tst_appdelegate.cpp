#include "app/appdelegate.h"
#include "app/startupsteps.h"
#include "app/taskbarpanel.h"
#include "../store/storeworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Velmora::Test::display;

namespace {

// The shell on the simulated desktop, with the steps outside the shell
// recorded in the order they run.
struct ShellWorld : Test::StoreWorld, StartupSteps, OnboardingHost
{
    QStringList steps;
    bool moveUnderWay = false;
    bool onboardingCompleted = false;
    std::unique_ptr<TaskbarStore> store;
    QSet<quint32> fullScreen;
    int fullScreenReads = 0;
    std::unique_ptr<AppDelegate> delegate;

    ShellWorld()
    {
        desktop.setDisplays({display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF(1440, 0, 1920, 1080))});
        clock.runPending();
        onboarding = this;
        delegate = std::make_unique<AppDelegate>(AppDelegate::Environment{
            .displays = displays,
            .workspace = workspace,
            .clock = clock,
            .scheduler = clock,
            .steps = *this,
            .fullScreenDisplayIDs =
                [this] {
                    ++fullScreenReads;
                    return fullScreen;
                },
            .tooltip = [this] { return static_cast<TaskbarTooltip *>(&tooltip); },
            .barContent =
                [this](quint32 displayID, QWidget *) {
                    steps << QStringLiteral("panel %1").arg(displayID);
                    return nullptr;
                },
            .terminate = [this] { steps << "terminate"; },
            .reportRestartFailure = [this] { steps << "restart failed"; },
        });
    }

    void setAccessoryActivationPolicy() override { steps << "accessory"; }
    void installApplicationIcon() override { steps << "icon"; }
    bool offerMoveIfNeeded() override
    {
        steps << "move offer";
        return moveUnderWay;
    }
    void startUpdater() override { steps << "updater"; }
    void makeStatusItem() override { steps << "status item"; }
    void enableBackgroundCursor() override { steps << "background cursor"; }
    void installActivationParking() override { steps << "activation parking"; }
    void startSystemMonitor() override { steps << "system monitor"; }
    TaskbarStore &createStore() override
    {
        steps << "store";
        store = make(false);
        return *store;
    }
    bool isOnboardingCompleted() const override { return onboardingCompleted; }
    void showOnboarding(TaskbarStore &) override { steps << "onboarding"; }
    bool hasOnboardingWindow() const override { return false; }
    void presentOnboarding() override { showOnboarding(*store); }

    TaskbarWindowController *panel(quint32 id) const { return delegate->taskbarController(id); }
    QList<quint32> panelIDs() const
    {
        QList<quint32> ids;
        for (const auto &[id, controller] : delegate->taskbarControllers())
            ids << id;
        return ids;
    }
    // Starts the shell, then Alpha and five seconds later Beta become frontmost.
    std::pair<qint32, qint32> startWithAlphaThenBeta()
    {
        const qint32 alpha = addApp(QStringLiteral("Alpha"));
        const qint32 beta = addApp(QStringLiteral("Beta"));
        delegate->applicationDidFinishLaunching();
        desktop.activate(alpha);
        clock.runPending();
        clock.advance(5000);
        desktop.activate(beta);
        clock.runPending();
        return {alpha, beta};
    }
    void setDisplays(const QList<DisplayInfo> &list)
    {
        desktop.setDisplays(list);
        clock.runPending();
    }
};

} // namespace

class TestAppDelegate : public QObject
{
    Q_OBJECT

private slots:
    void startUpRunsItsStepsInOrder_data()
    {
        QTest::addColumn<bool>("moveUnderWay");
        QTest::addColumn<bool>("onboardingCompleted");
        QTest::addColumn<QStringList>("expected");
        const QStringList head { "accessory", "icon", "move offer" };
        const QStringList rest { "updater", "status item", "background cursor", "activation parking",
            "system monitor", "store", "panel 1", "panel 2" };
        QTest::newRow("first launch") << false << false << head + rest + QStringList { "onboarding" };
        QTest::newRow("onboarding completed") << false << true << head + rest;
        // The old instance of a move shows nothing while it ends.
        QTest::newRow("moving") << true << false << head;
    }
    void startUpRunsItsStepsInOrder()
    {
        QFETCH(bool, moveUnderWay);
        QFETCH(bool, onboardingCompleted);
        QFETCH(QStringList, expected);
        ShellWorld world;
        world.moveUnderWay = moveUnderWay;
        world.onboardingCompleted = onboardingCompleted;

        world.delegate->applicationDidFinishLaunching();

        QCOMPARE(world.steps, expected);
        QCOMPARE(world.delegate->hasStore(), !moveUnderWay);
        if (moveUnderWay) {
            QVERIFY(world.panelIDs().isEmpty());
            return;
        }
        // The bar's setup button opens onboarding through the store.
        world.steps.clear();
        QVERIFY(world.store->environment().onboarding);
        world.store->presentOnboarding();
        QCOMPARE(world.steps, QStringList { "onboarding" });
    }

    void quitAndRestartSaveTheSettingsFirst()
    {
        ShellWorld world;
        world.onboardingCompleted = true;
        world.delegate->applicationDidFinishLaunching();
        // A change whose write failed (a full disk) is saved when the user quits.
        world.defaults.setFailsWrites(true);
        world.store->setButtonAlignment(TaskbarButtonAlignment::Left);
        world.defaults.setFailsWrites(false);
        QCOMPARE(world.defaults.stringValue("TaskbarButtonAlignment"), std::nullopt);

        world.steps.clear();
        world.delegate->quitFromStatusMenu();
        QCOMPARE(world.defaults.stringValue("TaskbarButtonAlignment"), std::optional<QString>("left"));
        QCOMPARE(world.steps, QStringList{"terminate"});

        // No new instance can be started: this one keeps running and says so.
        world.defaults.setFailsWrites(true);
        world.store->setShowSearch(false);
        world.defaults.setFailsWrites(false);
        world.steps.clear();
        world.delegate->restartFromStatusMenu();
        QCOMPARE(world.defaults.boolValue("TaskbarShowSearchButton"), std::optional(false));
        QCOMPARE(world.steps, QStringList{"restart failed"});
    }

    void panelsSitAlongTheBottomOfEachFullFrame()
    {
        ShellWorld world;
        world.delegate->applicationDidFinishLaunching();
        QCOMPARE(world.panelIDs(), (QList<quint32> { 1, 2 }));
        // Qt's coordinates: the primary display's top-left is the origin.
        QCOMPARE(world.panel(1)->window()->geometry(), QRect(0, 900 - 57, 1440, 57));
        QCOMPARE(world.panel(2)->window()->geometry(), QRect(1440, 1080 - 57, 1920, 57));
        QVERIFY(world.panel(1)->window()->isVisible());
        QVERIFY(world.panel(1)->window()->testAttribute(Qt::WA_ShowWithoutActivating));
    }

    void panelsFollowTheScreens()
    {
        ShellWorld world;
        world.delegate->applicationDidFinishLaunching();
        TaskbarWindowController *second = world.panel(2);

        // A new resolution moves and resizes the panel it has.
        world.setDisplays({ display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF(1440, 0, 2560, 1440)) });
        QCOMPARE(world.panel(2), second);
        QCOMPARE(second->window()->geometry(), QRect(1440, 1440 - 57, 2560, 57));

        // A flyout open on a display that goes is closed with its panel.
        world.store->flyouts().toggleStartMenu(2);
        QVERIFY(world.store->flyouts().isStartMenuPresented());
        world.setDisplays({ display(1, QRectF(0, 0, 1440, 900)) });
        QCOMPARE(world.panelIDs(), (QList<quint32> { 1 }));
        QVERIFY(!world.store->flyouts().isStartMenuPresented());

        // One open on a display that stays, stays open.
        world.store->flyouts().toggleStartMenu(1);
        world.setDisplays({ display(1, QRectF(0, 0, 1440, 900)), display(3, QRectF(-1280, 0, 1280, 800)) });
        QVERIFY(world.store->flyouts().isStartMenuPresented());
        QCOMPARE(world.panelIDs(), (QList<quint32> { 1, 3 }));
        QCOMPARE(world.panel(3)->window()->geometry(), QRect(-1280, 800 - 57, 1280, 57));
        QVERIFY(world.panel(3)->window()->isVisible());
    }

    void aScreenWithoutGeometryGetsItsPanelAtTheNextChange()
    {
        ShellWorld world;
        world.setDisplays({ display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF()) });
        world.delegate->applicationDidFinishLaunching();
        QCOMPARE(world.panelIDs(), (QList<quint32> { 1 }));

        world.setDisplays({ display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF(1440, 0, 1920, 1080)) });
        QCOMPARE(world.panelIDs(), (QList<quint32> { 1, 2 }));
        QCOMPARE(world.panel(2)->window()->geometry(), QRect(1440, 1080 - 57, 1920, 57));
    }

    void fullScreenDisplaysAreFoundByThePoll()
    {
        ShellWorld world;
        world.delegate->applicationDidFinishLaunching();
        world.store->flyouts().toggleStartMenu(2);
        const int hidesBefore = world.tooltip.hides;

        world.fullScreen = { 2 };
        world.clock.advance(AppDelegate::fullScreenPollMs - 1);
        QVERIFY(!world.panel(2)->isHiddenForFullScreen());
        world.clock.advance(1);
        QVERIFY(world.panel(2)->isHiddenForFullScreen());
        QVERIFY(!world.panel(2)->window()->isVisible());
        QVERIFY(world.panel(1)->window()->isVisible());
        QVERIFY(!world.store->flyouts().isStartMenuPresented());
        QVERIFY(world.tooltip.hides > hidesBefore);

        // Hidden, it stays hidden through a screen change.
        world.setDisplays({ display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF(1440, 0, 2560, 1440)) });
        QVERIFY(!world.panel(2)->window()->isVisible());

        world.fullScreen.clear();
        world.clock.advance(AppDelegate::fullScreenPollMs);
        QVERIFY(!world.panel(2)->isHiddenForFullScreen());
        QVERIFY(world.panel(2)->window()->isVisible());
        QCOMPARE(world.panel(2)->window()->geometry(), QRect(1440, 1440 - 57, 2560, 57));
    }

    void aSpaceChangeChecksAtTheFrameRateForTwoSeconds()
    {
        ShellWorld world;
        world.delegate->applicationDidFinishLaunching();
        world.clock.advance(AppDelegate::fullScreenPollMs / 2); // half-way between two polls

        world.fullScreen = { 1 };
        emit world.workspace.activeSpaceChanged();
        // One check at once...
        QVERIFY(world.panel(1)->isHiddenForFullScreen());
        world.fullScreen.clear();
        // ...and the next a frame later.
        world.clock.advance(AppDelegate::fullScreenBurstIntervalMs);
        QVERIFY(!world.panel(1)->isHiddenForFullScreen());

        const int reads = world.fullScreenReads;
        world.clock.advance(AppDelegate::fullScreenBurstMs - AppDelegate::fullScreenBurstIntervalMs);
        QVERIFY(world.fullScreenReads - reads >= 100);
        world.clock.advance(AppDelegate::fullScreenBurstIntervalMs);
        QVERIFY(!world.delegate->isMonitoringFullScreenTransition());

        // Then only the poll: once every two seconds.
        const int afterBurst = world.fullScreenReads;
        world.clock.advance(2 * AppDelegate::fullScreenPollMs);
        QCOMPARE(world.fullScreenReads - afterBurst, 2);
    }

    void aNewSpaceChangeExtendsTheBurst()
    {
        ShellWorld world;
        world.delegate->applicationDidFinishLaunching();
        emit world.workspace.activeSpaceChanged();
        world.clock.advance(1500);
        emit world.workspace.activeSpaceChanged();
        world.clock.advance(1500);
        QVERIFY(world.delegate->isMonitoringFullScreenTransition());
        world.clock.advance(600);
        QVERIFY(!world.delegate->isMonitoringFullScreenTransition());
    }

    void frontmostAppBeforeClick_data()
    {
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<QString>("expected");
        // The click itself may have brought Beta forward a moment ago.
        QTest::newRow("just changed") << qint64(999) << "Alpha";
        QTest::newRow("changed a second ago") << qint64(1000) << "Beta";
    }
    void frontmostAppBeforeClick()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(QString, expected);
        ShellWorld world;
        world.startWithAlphaThenBeta();
        QCOMPARE(world.delegate->currentFrontmostApp()->localizedName, QStringLiteral("Beta"));

        world.clock.advance(elapsedMs);
        QCOMPARE(world.delegate->frontmostAppBeforeClick()->localizedName, expected);
    }

    void frontmostAppBeforeClickWhenTheFrontmostMovedOn()
    {
        ShellWorld world;
        const qint32 alpha = world.startWithAlphaThenBeta().first;
        const qint32 beta = world.desktop.frontmostPid().value_or(0);
        // A second notice for the same application changes nothing.
        world.clock.advance(5000);
        emit world.workspace.applicationActivated(world.app(beta));
        QCOMPARE(world.delegate->previousFrontmostApp()->localizedName, QStringLiteral("Alpha"));
        QCOMPARE(world.delegate->frontmostAppBeforeClick()->localizedName, QStringLiteral("Beta"));

        // Frontmost now without a notice yet (our own click): the one we last saw.
        world.desktop.makeFrontmost(alpha);
        QCOMPARE(world.delegate->frontmostAppBeforeClick()->localizedName, QStringLiteral("Beta"));
    }
};

QTEST_MAIN(TestAppDelegate)
#include "tst_appdelegate.moc"
