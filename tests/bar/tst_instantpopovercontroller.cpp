#include "bar/model/animator.h"
#include "bar/model/desktopclickcatcher.h"
#include "bar/model/instantpopovercontroller.h"
#include "bar/model/popoverdismissingclick.h"
#include "platform/sim/virtualclock.h"
#include "popoverfakes.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Test;

namespace {

// One popover over fakes, bound to a flag the way the bar binds a flyout to
// the store: the user closing it sets the flag false.
struct Fixture
{
    Sim::VirtualClock clock;
    Animator animator{clock, clock};
    FakeClickMonitors monitors;
    FakeCatcherWindows catcherWindows;
    FakePointer pointer;
    PopoverDismissingClick dismissingClick{pointer, clock};
    InstantPopoverPresenter presenter;
    FakePopoverHost host;
    bool flag = false;
    bool refuses = false;
    InstantPopoverController controller;

    explicit Fixture(bool animatesResize = false)
        : controller(PopoverServices{clock, animator, monitors, catcherWindows, dismissingClick}, presenter, host,
                     options(animatesResize))
    {
        controller.setBinding({[this] { return flag; }, [this](bool value) { flag = value; }});
        controller.update();
    }
    InstantPopoverController::Options options(bool animatesResize)
    {
        InstantPopoverController::Options o;
        o.animatesResize = animatesResize;
        o.shouldClose = [this] { return !refuses; };
        return o;
    }
    void setFlag(bool value)
    {
        flag = value;
        controller.update();
    }
    FakeSurface &surface() { return *static_cast<FakeSurface *>(controller.surface()); }
    const QWindow *otherWindow() { return reinterpret_cast<const QWindow *>(&flag); }
};

} // namespace

class TestInstantPopoverController : public QObject
{
    Q_OBJECT
private slots:
    void holdingShowIgnoresEveryRequest()
    {
        Fixture f;
        f.presenter.setHoldingShow(true);
        f.setFlag(true);
        QVERIFY(!f.controller.isShown());
        QVERIFY(!f.presenter.show());
        f.controller.show();
        QVERIFY(!f.controller.isShown());
        // Lifting the hold shows nothing by itself...
        f.presenter.setHoldingShow(false);
        f.clock.advance(100);
        QVERIFY(!f.controller.isShown());
        // ...the presenter then shows at once, also with the flag false.
        f.flag = false;
        QVERIFY(f.presenter.show());
        QVERIFY(f.controller.isShown());
        QCOMPARE(f.surface().shownAt, *f.host.anchor);
        f.presenter.close();
        QVERIFY(f.surface().closing);
    }

    void showingSizesFirstAndWatchesClicks()
    {
        Fixture f;
        f.host.ideal = QSizeF(256, 112);
        f.setFlag(true);
        QCOMPARE(f.surface().size, QSizeF(256, 112));
        QCOMPARE(f.monitors.others.size(), 1);
        QCOMPARE(f.monitors.local.size(), 1);
        // Showing again changes nothing and adds no monitor.
        f.controller.update();
        QCOMPARE(f.surface().shows, 1);
        QCOMPARE(f.monitors.others.size(), 1);
        f.setFlag(false);
        f.surface().finishClosing();
        QVERIFY(f.monitors.others.isEmpty());
        QVERIFY(f.monitors.local.isEmpty());
    }

    // The flag turns false then true within the closing animation.
    void reopensAFreshWindowWhileClosing()
    {
        Fixture f;
        f.setFlag(true);
        FakeSurface &first = f.surface();
        f.setFlag(false);
        QVERIFY(first.closing);
        QVERIFY(f.controller.isClosing());
        f.setFlag(true);
        QCOMPARE(f.host.surfaces.size(), size_t(2));
        FakeSurface &second = f.surface();
        QVERIFY(&second != &first);
        QVERIFY(second.shown);
        QVERIFY(!f.controller.isClosing());
        QVERIFY(first.isAbandoned);
        QCOMPARE(second.size, first.size);
        // The old window finishes closing without telling anyone.
        first.finishClosing();
        QVERIFY(f.controller.isShown());
        QVERIFY(f.flag);
        QCOMPARE(f.monitors.others.size(), 1);
    }

    // The flag turned true again while closing without an update reaching
    // the popover (a binding read later): it reopens on the next turn.
    void didCloseReopensWhenTheFlagIsTrueAgain()
    {
        Fixture f;
        f.setFlag(true);
        f.setFlag(false);
        f.flag = true;
        f.surface().finishClosing();
        QVERIFY(!f.controller.isShown());
        f.clock.runPending();
        QVERIFY(f.controller.isShown());
        QCOMPARE(f.host.surfaces.size(), size_t(1));
    }

    void anchorWithoutWindow_data()
    {
        QTest::addColumn<int>("windowAfterFrames"); // -1: never
        QTest::addColumn<bool>("flagStaysTrue");
        QTest::addColumn<bool>("shows");
        QTest::newRow("window a few frames later") << 3 << true << true;
        QTest::newRow("flag false meanwhile") << 3 << false << false;
        QTest::newRow("window never comes") << -1 << true << false;
    }
    // A show asked for before the anchor is on screen tries again a few
    // frames on, never for ever.
    void anchorWithoutWindow()
    {
        QFETCH(int, windowAfterFrames);
        QFETCH(bool, flagStaysTrue);
        QFETCH(bool, shows);
        Fixture f;
        const std::optional<QRectF> anchor = f.host.anchor;
        f.host.anchor.reset();
        f.setFlag(true);
        QVERIFY(!f.controller.isShown());
        if (!flagStaysTrue)
            f.flag = false;
        for (int frame = 0; frame < 100; ++frame) {
            if (frame == windowAfterFrames)
                f.host.anchor = anchor;
            f.clock.advance(InstantPopoverController::anchorRetryDelayMs);
        }
        QCOMPARE(f.controller.isShown(), shows);
        // Nothing keeps waking the loop.
        QCOMPARE(f.clock.pendingJobCount(), 0);
        if (windowAfterFrames < 0) {
            // The next update of the flag tries afresh.
            f.host.anchor = anchor;
            f.controller.update();
            QVERIFY(f.controller.isShown());
        }
    }

    void clicksElsewhereClose_data()
    {
        QTest::addColumn<bool>("refuses");
        QTest::addColumn<QString>("clicks"); // o: other app, w: other own window, p: the popover, d: desktop
        QTest::addColumn<QString>("openAfter"); // after each click: 1 open, 0 closing
        QTest::newRow("other application") << false << "o" << "0";
        QTest::newRow("other application, close refused") << true << "o" << "0";
        QTest::newRow("own window") << false << "w" << "0";
        QTest::newRow("own window, refused: the next one closes") << true << "ww" << "10";
        QTest::newRow("inside the popover") << false << "pp" << "11";
        QTest::newRow("inside, then elsewhere, refused") << true << "pwpw" << "1110";
        QTest::newRow("bare desktop") << false << "d" << "0";
        QTest::newRow("bare desktop, close refused") << true << "d" << "0";
    }
    void clicksElsewhereClose()
    {
        QFETCH(bool, refuses);
        QFETCH(QString, clicks);
        QFETCH(QString, openAfter);
        Fixture f;
        f.refuses = refuses;
        f.setFlag(true);
        f.clock.advance(DesktopClickCatcher::showDelayMs);
        QVERIFY(f.catcherWindows.shown);
        for (int i = 0; i < clicks.size(); ++i) {
            switch (clicks.at(i).unicode()) {
            case 'o':
                f.monitors.clickInOtherApplication();
                break;
            case 'w':
                f.monitors.clickInApplication(f.otherWindow());
                break;
            case 'p':
                f.monitors.clickInApplication(f.surface().window);
                break;
            case 'd':
                f.catcherWindows.click();
                break;
            }
            QCOMPARE(!f.surface().closing, openAfter.at(i) == u'1');
        }
        if (!f.surface().closing)
            return;
        f.surface().finishClosing();
        // The user closed it: the flag follows, and the catcher is gone.
        QVERIFY(!f.flag);
        QVERIFY(!f.catcherWindows.shown);
    }

    void catcherAppearsOnlyAfterTheDelay()
    {
        Fixture f;
        f.setFlag(true);
        QVERIFY(f.controller.clickCatcher().isPending());
        f.clock.advance(DesktopClickCatcher::showDelayMs - 1);
        QVERIFY(!f.catcherWindows.shown);
        // Closed within the delay: the catcher never appears.
        f.setFlag(false);
        f.surface().finishClosing();
        f.clock.advance(1000);
        QCOMPARE(f.catcherWindows.showCount, 0);
        f.setFlag(true);
        f.clock.advance(DesktopClickCatcher::showDelayMs);
        QCOMPARE(f.catcherWindows.showCount, 1);
    }

    void closeWaitsForAContextMenu_data()
    {
        QTest::addColumn<bool>("menuEnds");
        QTest::addColumn<qint64>("closedAfterMs");
        QTest::newRow("menu ends when cancelled") << true << qint64(0);
        QTest::newRow("menu never says it ended") << false << InstantPopoverController::deferredCloseMs;
    }
    void closeWaitsForAContextMenu()
    {
        QFETCH(bool, menuEnds);
        QFETCH(qint64, closedAfterMs);
        Fixture f;
        QObject menu;
        f.setFlag(true);
        if (menuEnds)
            f.host.onCancelMenu = [&](QObject *m) { f.controller.menuDidEndTracking(m); };
        // A menu elsewhere is not this popover's.
        QObject elsewhere;
        f.controller.menuDidBeginTracking(&elsewhere, false);
        QCOMPARE(f.controller.contextMenu(), nullptr);
        f.controller.menuDidBeginTracking(&menu, true);
        QCOMPARE(f.controller.contextMenu(), &menu);
        // While it tracks, clicks are the menu's.
        f.monitors.clickInApplication(f.otherWindow());
        QVERIFY(!f.surface().closing);

        f.setFlag(false);
        QCOMPARE(f.host.cancelledMenus, QList<QObject *>{&menu});
        QVERIFY(!f.surface().closing);
        // A second request adds no second timer.
        f.controller.closePopover();
        QCOMPARE(f.host.cancelledMenus.size(), 1);
        if (closedAfterMs > 0) {
            f.clock.advance(closedAfterMs - 1);
            QVERIFY(!f.surface().closing);
        }
        f.clock.advance(closedAfterMs > 0 ? 1 : 0);
        QVERIFY(f.surface().closing);
        QVERIFY(!f.controller.hasDeferredClose());
        f.clock.advance(1000);
        QCOMPARE(f.host.cancelledMenus.size(), 1);
    }

    void dismissingClickIsRecordedOnlyForTheUsersClose_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<bool>("flagAfter");
        QTest::newRow("click on the anchor") << "anchor" << true << false;
        QTest::newRow("escape key") << "escape" << false << false;
        QTest::newRow("closed by the flag") << "flag" << false << false;
        QTest::newRow("closeAll") << "closeAll" << false << false;
    }
    void dismissingClickIsRecordedOnlyForTheUsersClose()
    {
        QFETCH(QString, how);
        QFETCH(bool, recorded);
        QFETCH(bool, flagAfter);
        Fixture f;
        f.setFlag(true);
        f.clock.advance(1000);
        if (how == "anchor") {
            f.pointer.event(InputEventType::LeftMouseDown, f.host.anchor->center(), f.clock.monotonicMs());
            f.monitors.clickInApplication(f.otherWindow());
        } else if (how == "escape") {
            f.surface().pressEscape();
        } else if (how == "flag") {
            f.setFlag(false);
        } else {
            InstantPopoverPresenter::closeAll();
            QVERIFY(!f.controller.isShown()); // no animation
        }
        QVERIFY(f.surface().closing || !f.surface().shown);
        QCOMPARE(f.dismissingClick.hasRecord(), recorded);
        QCOMPARE(f.flag, flagAfter);
        // The same press reaching the anchor button opens nothing.
        QCOMPARE(f.dismissingClick.consume(), recorded);
        QVERIFY(!f.dismissingClick.consume());
    }

    void resizeFollowsTheContent_data()
    {
        QTest::addColumn<bool>("animates");
        QTest::addColumn<bool>("reduceMotion");
        QTest::addColumn<bool>("stepped");
        QTest::newRow("animated") << true << false << true;
        QTest::newRow("animated, reduce motion") << true << true << false;
        QTest::newRow("not animated") << false << false << false;
    }
    void resizeFollowsTheContent()
    {
        QFETCH(bool, animates);
        QFETCH(bool, reduceMotion);
        QFETCH(bool, stepped);
        Fixture f(animates);
        f.animator.setReducesMotion(reduceMotion);
        f.setFlag(true);
        f.host.ideal = QSizeF(301, 175);
        f.controller.resizeToIdealSize();
        QCOMPARE(f.controller.isResizing(), stepped);
        if (stepped) {
            f.clock.advance(InstantPopoverController::resizeDurationMs / 2);
            const QSizeF halfway = f.surface().size;
            QVERIFY(halfway.width() > 64 && halfway.width() < 301);
            QCOMPARE(halfway.width(), std::round(halfway.width()));
            // Asking again for the same target keeps the running animation.
            f.controller.resizeToIdealSize();
            QVERIFY(f.controller.isResizing());
            f.clock.advance(InstantPopoverController::resizeDurationMs);
        }
        QCOMPARE(f.surface().size, QSizeF(301, 175));
        QVERIFY(!f.controller.isResizing());
        QCOMPARE(f.surface().sizes.size() > 1, stepped);
        // While closing the size is left alone; the next show starts at the ideal size.
        f.setFlag(false);
        f.host.ideal = QSizeF(120, 64);
        f.controller.resizeToIdealSize();
        QCOMPARE(f.surface().size, QSizeF(301, 175));
        f.surface().finishClosing();
        QCOMPARE(f.surface().size, QSizeF(120, 64));
    }

    void closeAllClosesEveryShownPopover()
    {
        Fixture first;
        Fixture second;
        Fixture third;
        first.setFlag(true);
        second.setFlag(true);
        InstantPopoverPresenter::closeAll();
        QVERIFY(!first.controller.isShown());
        QVERIFY(!second.controller.isShown());
        QVERIFY(!third.controller.isShown());
        QVERIFY(!first.flag);
    }

    // A newer popover attached to the same presenter keeps it when an older
    // one goes away.
    void dismantlingKeepsANewerPopoversPresenter()
    {
        Fixture f;
        f.setFlag(true);
        {
            InstantPopoverController newer(
                PopoverServices{f.clock, f.animator, f.monitors, f.catcherWindows, f.dismissingClick}, f.presenter,
                f.host, {});
            newer.attach(Qt::TopEdge);
            f.controller.dismantle();
            QVERIFY(f.surface().closing);
            QCOMPARE(f.presenter.owner(), &newer);
        }
        QCOMPARE(f.presenter.owner(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestInstantPopoverController)
#include "tst_instantpopovercontroller.moc"
