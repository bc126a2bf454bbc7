#include "platform/sim/simoperations.h"
#include "store/minimizetakeover.h"
#include "clicksworld.h"
#include "support/simmenus.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

const KeyEvent commandM { InputEventType::KeyDown, 46, CommandFlag, false, "m" };
const KeyEvent commandW { InputEventType::KeyDown, 13, CommandFlag, false, "w" };

// A menu bar whose File menu holds `close` on Command-W.
QList<SimMenuItem> menuBar(const QString &close)
{
    SimMenuItem closeItem = Test::shortcutItem(close, "w");
    closeItem.command = SimMenuItem::CloseWindowCommand;
    return { Test::menu("Apple", {}), Test::menu("Alpha", {}), Test::menu("File", { closeItem }) };
}

// Alpha frontmost, its window over Beta's.
struct Fixture : Test::ClicksWorld
{
    qint32 alpha = addApp("Alpha", 0, [](SimProcess &p) { p.menuBar = menuBar("Close Window"); });
    qint32 beta = addApp("Beta");
    quint32 betaWindow = addWindow(beta, QRectF(300, 300, 600, 400), "Beta");
    quint32 alphaWindow = addWindow(alpha, QRectF(100, 100, 600, 400), "Alpha");
    std::unique_ptr<TaskbarStore> store;
    MinimizeTakeover *takeover = nullptr;

    void start()
    {
        desktop.makeFrontmost(alpha);
        clock.runPending();
        store = makeStore();
        takeover = &store->minimizeTakeover();
        desktop.clearRequests();
    }
    QPointF button(SimNode::Kind kind, quint32 window = 0) const
    {
        return SimDesktop::buttonFrame(*desktop.window(window ? window : alphaWindow), kind).center();
    }
    QStringList fronts() const { return log({ PrivateFunctions::SLPSSetFrontProcessWithOptionsName }); }
    QString frontTo(qint32 pid) const
    {
        return QString("_SLPSSetFrontProcessWithOptions %1 _SLPSSetFrontProcessWithOptions").arg(pid);
    }
    QStringList postedBack() const { return log({ SimOperations::PostKeyEvent }); }
    // Lets the background work and the waits for the application finish.
    void finish()
    {
        settle();
        clock.advance(WindowActions::frontmostWaitMs);
        settle();
    }
};

} // namespace

class TestMinimizeTakeover : public QObject
{
    Q_OBJECT
private slots:
    // A press on a title-bar button hands the focus to the taskbar before the
    // release; a release on the button starts the guard's watch, a release
    // dragged off it gives the front back.
    void pressAndReleaseOnTitleBarButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("releasedInside");
        QTest::addColumn<QString>("watch");
        QTest::newRow("minimize") << int(SimNode::Kind::MinimizeButton) << true << "minimize %1 back to %2 deactivated";
        QTest::newRow("close") << int(SimNode::Kind::CloseButton) << true << "close %1 of 1 back to %2";
        QTest::newRow("dragged off") << int(SimNode::Kind::MinimizeButton) << false << "";
    }
    void pressAndReleaseOnTitleBarButtons()
    {
        QFETCH(int, kind);
        QFETCH(bool, releasedInside);
        QFETCH(QString, watch);
        Fixture f;
        f.start();
        const QPointF point = f.button(SimNode::Kind(kind));
        f.takeover->handleMinimizeButtonClick(InputEventType::LeftMouseDown, point);
        QVERIFY(f.store->pendingMinimizeHandoff());
        QCOMPARE(f.ownWindows.calls, QStringList({ "panel key" }));
        QCOMPARE(f.fronts(), QStringList({ f.frontTo(f.desktop.selfPid()) }));

        f.takeover->handleMinimizeButtonClick(
            InputEventType::LeftMouseUp, releasedInside ? point : point + QPointF(200, 200));
        QVERIFY(!f.store->pendingMinimizeHandoff());
        if (releasedInside) {
            QCOMPARE(f.guard.watches, QStringList({ watch.arg(f.alphaWindow).arg(f.beta) }));
        } else {
            QCOMPARE(f.guard.watches, QStringList());
            QCOMPARE(f.fronts().last(), f.frontTo(f.alpha));
        }
    }

    // Presses that are not on a button of the front window, or with no other
    // application's window below, pass untouched.
    void otherPressesPass()
    {
        Fixture f;
        f.desktop.moveWindow(f.betaWindow, QRectF(900, 600, 300, 200));
        f.start();
        // Beta's window lies elsewhere, but Beta would still come forward.
        f.takeover->handleMinimizeButtonClick(InputEventType::LeftMouseDown, QPointF(400, 300));
        QVERIFY(!f.store->pendingMinimizeHandoff());
        f.desktop.killProcess(f.beta);
        f.takeover->handleMinimizeButtonClick(
            InputEventType::LeftMouseDown, f.button(SimNode::Kind::MinimizeButton));
        QVERIFY(!f.store->pendingMinimizeHandoff());
        QCOMPARE(f.fronts(), QStringList());
    }

    // An armed request is re-checked against where its button is now: a
    // window moved since it was armed is not handed off by a press at the old
    // spot.
    void anArmedRequestFollowsTheButton()
    {
        Fixture f;
        f.start();
        NativeMinimizeRequest armed;
        armed.button = *AXReads::element(
            f.accessibility, f.desktop.windowElement(f.alphaWindow), AXNames::MinimizeButton);
        armed.targetProcessIdentifier = f.alpha;
        armed.windowID = f.alphaWindow;
        armed.minimizeButtonFrame = SimDesktop::buttonFrame(*f.desktop.window(f.alphaWindow), SimNode::Kind::MinimizeButton);
        armed.previousApplication = f.app(f.beta);
        f.store->setNativeMinimizeRequest(armed);
        const QPointF oldSpot = armed.minimizeButtonFrame.center();

        f.desktop.moveWindow(f.alphaWindow, QRectF(500, 50, 600, 400));
        f.takeover->handleMinimizeButtonClick(InputEventType::LeftMouseDown, oldSpot);
        QVERIFY(!f.store->pendingMinimizeHandoff());

        // Where the button is now, the press is taken over, and the request stays armed.
        f.takeover->handleMinimizeButtonClick(InputEventType::LeftMouseDown, f.button(SimNode::Kind::MinimizeButton));
        QVERIFY(f.store->pendingMinimizeHandoff());
        QVERIFY(f.store->nativeMinimizeRequest());
    }

    // Command-M: the focused window's own button, pressed once Alpha has let
    // go of the front; what cannot be done is posted back unchanged.
    void minimizeShortcut_data()
    {
        QTest::addColumn<bool>("keepWindowOrder");
        QTest::addColumn<bool>("buttonEnabled");
        QTest::addColumn<int>("pressError");
        QTest::addColumn<bool>("carriedOut");
        QTest::newRow("carried out") << true << true << 0 << true;
        QTest::newRow("cannot complete") << true << true << int(AXError::CannotComplete) << true;
        QTest::newRow("press fails") << true << true << int(AXError::Failure) << false;
        QTest::newRow("button disabled") << true << false << 0 << false;
        QTest::newRow("order not kept") << false << true << 0 << false;
    }
    void minimizeShortcut()
    {
        QFETCH(bool, keepWindowOrder);
        QFETCH(bool, buttonEnabled);
        QFETCH(int, pressError);
        QFETCH(bool, carriedOut);
        Fixture f;
        f.desktop.updateWindow(f.alphaWindow, [&](SimWindow &w) { w.minimizeButtonEnabled = buttonEnabled; });
        f.start();
        f.store->setKeepWindowOrder(keepWindowOrder);
        if (pressError)
            f.desktop.injectFailure(
                SimFailure::on(SimOperations::PerformAction, "AXPress").error(AXError(pressError)).once());
        f.takeover->handleMinimizeShortcut(commandM, f.app(f.alpha), f.alphaWindow);
        f.finish();
        if (carriedOut) {
            QCOMPARE(f.guard.watches,
                QStringList({ QString("minimize %1 back to %2 deactivated").arg(f.alphaWindow).arg(f.beta) }));
            QCOMPARE(f.postedBack(), QStringList());
        } else {
            QCOMPARE(f.guard.watches, QStringList());
            QCOMPARE(f.postedBack(), QStringList({ QString("postKeyEvent %1 m 46/100000/down").arg(f.alpha) }));
        }
        // A failed press gives Alpha the front back before the key goes to it.
        if (pressError == int(AXError::Failure))
            QCOMPARE(f.fronts().last(), f.frontTo(f.alpha));
    }

    // Command-W: carried out through the close button when it is found in
    // time; handed back once after 0.15 s otherwise, the late answer ignored.
    void closeShortcut_data()
    {
        QTest::addColumn<bool>("late");
        QTest::addColumn<bool>("tabs");
        QTest::addColumn<bool>("carriedOut");
        QTest::newRow("in time") << false << false << true;
        QTest::newRow("late") << true << false << false;
        QTest::newRow("closes a tab") << false << true << false;
    }
    void closeShortcut()
    {
        QFETCH(bool, late);
        QFETCH(bool, tabs);
        QFETCH(bool, carriedOut);
        Fixture f;
        if (tabs) {
            f.desktop.updateWindow(f.alphaWindow, [](SimWindow &w) { w.tabs = QStringList { "One", "Two" }; });
            f.desktop.updateProcess(f.alpha, [](SimProcess &p) { p.menuBar = menuBar("Close Tab"); });
        }
        f.start();
        f.takeover->handleCloseShortcut(commandW, f.app(f.alpha), f.alphaWindow);
        if (late)
            f.clock.advance(MinimizeTakeover::closeShortcutDeadlineMs);
        f.finish();
        f.clock.advance(MinimizeTakeover::closeShortcutDeadlineMs);
        if (carriedOut) {
            QCOMPARE(f.guard.watches, QStringList({ QString("close %1 of 1 back to %2").arg(f.alphaWindow).arg(f.beta) }));
            QCOMPARE(f.postedBack(), QStringList());
        } else {
            QCOMPARE(f.guard.watches, QStringList());
            QCOMPARE(f.postedBack(), QStringList({ QString("postKeyEvent %1 w 13/100000/down").arg(f.alpha) }));
        }
    }

    // A press in a flyout while another application is in front remembers
    // it, takes activation without raising anything and guards its windows.
    void flyoutPress()
    {
        Fixture f;
        f.start();
        f.takeover->handleFlyoutPress();
        QCOMPARE(f.store->windowActions().applicationBeforeFlyoutAction()->processIdentifier, f.alpha);
        QCOMPARE(f.guard.watches, QStringList({ QString("press %1").arg(f.alpha) }));
        f.clock.runPending();
        QCOMPARE(f.desktop.frontmostPid(), f.desktop.selfPid());
        // With the taskbar in front nothing changes.
        f.takeover->handleFlyoutPress();
        QCOMPARE(f.guard.watches.size(), 1);
        // After a second the press no longer says who was in front.
        f.clock.advance(WindowActions::flyoutPressValidityMs);
        QCOMPARE(f.store->windowActions().applicationBeforeFlyoutAction()->processIdentifier, f.desktop.selfPid());
    }
};

QTEST_GUILESS_MAIN(TestMinimizeTakeover)
#include "tst_minimizetakeover.moc"
