#include "platform/sim/simoperations.h"
#include "services/windowpreviewid.h"
#include "store/windowactions.h"
#include "clicksworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

const QStringList writesAndActions { SimOperations::SetAttributeValue, SimOperations::PerformAction,
    PrivateFunctions::SLPSSetFrontProcessWithOptionsName, SimOperations::PostKeyEvent, SimOperations::Unhide };

// Alpha's window behind Beta's, Beta frontmost.
struct Fixture : Test::ClicksWorld
{
    qint32 alpha = addApp("Alpha");
    qint32 beta = addApp("Beta");
    quint32 alphaWindow = addWindow(alpha, QRectF(100, 100, 600, 400), "Report");
    quint32 betaWindow = addWindow(beta, QRectF(300, 300, 600, 400), "Beta");
    std::unique_ptr<TaskbarStore> store;
    WindowActions *actions = nullptr;

    void start()
    {
        desktop.makeFrontmost(beta);
        clock.runPending();
        store = makeStore();
        actions = &store->windowActions();
        desktop.clearRequests();
    }
    // Alpha's window as the picker lists it now.
    WindowPreviewItem preview(quint32 window)
    {
        const auto previews = store->windowPreviewCache().cachedOrFetchedWindowPreviews(app(alpha));
        for (const WindowPreviewItem &item : previews) {
            if (item.id == WindowPreviewId::forWindow(alpha, window))
                return item;
        }
        return {};
    }
    void minimize(quint32 window)
    {
        desktop.updateWindow(window, [](SimWindow &w) { w.minimized = true; });
        clock.runPending();
    }
    QStringList calls() const { return log(writesAndActions); }
    QString line(const QString &text, qint32 pid) const { return text.arg(pid); }
};

} // namespace

class TestWindowActions : public QObject
{
    Q_OBJECT
private slots:
    // A minimized window comes back through accessibility, or by pressing
    // its Dock tile; never through the tile when the app was hidden or when
    // another minimized window of the app has the same title.
    void restoresAMinimizedWindow_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("twin");
        QTest::addColumn<bool>("throughDock");
        QTest::newRow("by the tile") << false << false << true;
        QTest::newRow("hidden app") << true << false << false;
        QTest::newRow("title shared") << false << true << false;
    }
    void restoresAMinimizedWindow()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, twin);
        QFETCH(bool, throughDock);
        Fixture f;
        const qint32 dock = f.addDock();
        if (twin)
            f.minimize(f.addWindow(f.alpha, QRectF(150, 150, 600, 400), "Report"));
        f.minimize(f.alphaWindow);
        if (hidden)
            f.desktop.hide(f.alpha);
        f.start();
        const WindowPreviewItem preview = f.preview(f.alphaWindow);
        QVERIFY(preview.isMinimized);
        f.actions->focusRequestedWindow(preview, f.app(f.alpha), false);
        f.settle();

        const QStringList calls = f.calls();
        QCOMPARE(calls.contains(QString("performAction %1 AXPress").arg(dock), Qt::CaseSensitive)
                || std::any_of(calls.cbegin(), calls.cend(),
                    [&](const QString &c) { return c.startsWith(QString("performAction %1 AXPress").arg(dock)); }),
            throughDock);
        QCOMPARE(calls.contains(QString("setAttributeValue %1 AXMinimized false").arg(f.alpha)), !throughDock);
        QCOMPARE(calls.contains(QString("unhide %1").arg(f.alpha)), hidden);
        // The window Beta shows stays over Alpha's other windows while this one comes back.
        QCOMPARE(f.guard.watches.size(), 1);
        QVERIFY(f.guard.watches.first().endsWith(QString("over %1").arg(f.betaWindow)));
        f.clock.advance(1000);
        QVERIFY(!f.desktop.window(f.alphaWindow)->minimized);
    }

    // The accessibility restore in its order: unminimized, made main, the
    // process brought forward, focused, raised.
    void restoreSequence()
    {
        Fixture f;
        f.minimize(f.alphaWindow);
        f.start();
        f.actions->restoreMinimizedWindow(f.preview(f.alphaWindow), f.app(f.alpha), f.app(f.beta), false);
        f.settle();
        QCOMPARE(f.calls(),
            QStringList({ f.line("setAttributeValue %1 AXMinimized false", f.alpha),
                f.line("setAttributeValue %1 AXMain true", f.alpha),
                f.line("_SLPSSetFrontProcessWithOptions %1 _SLPSSetFrontProcessWithOptions", f.alpha),
                f.line("setAttributeValue %1 AXFocused true", f.alpha),
                f.line("performAction %1 AXRaise", f.alpha) + QString(" %1").arg(f.alphaWindow) }));
    }

    // With "Keep window order" on, a focus arms the minimize request with the
    // button's frame and the application that was in front; off, it clears it.
    void focusArmsTheMinimizeRequest_data()
    {
        QTest::addColumn<bool>("keepWindowOrder");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void focusArmsTheMinimizeRequest()
    {
        QFETCH(bool, keepWindowOrder);
        Fixture f;
        f.start();
        f.store->setKeepWindowOrder(keepWindowOrder);
        const WindowPreviewItem preview = f.preview(f.alphaWindow);
        f.actions->focusRequestedWindow(preview, f.app(f.alpha), false);
        const auto &request = f.store->nativeMinimizeRequest();
        QCOMPARE(request.has_value(), keepWindowOrder);
        if (request) {
            QCOMPARE(request->targetProcessIdentifier, f.alpha);
            QCOMPARE(request->windowID, std::optional<quint32>(f.alphaWindow));
            QCOMPARE(request->previousApplication->processIdentifier, f.beta);
            const auto frame = SimDesktop::buttonFrame(*f.desktop.window(f.alphaWindow), SimNode::Kind::MinimizeButton);
            QCOMPARE(request->minimizeButtonFrame, frame);
        }
        // Main-thread reads of Alpha's window wait at most 0.1 s for it, and
        // only while they are made: then the elements read wait the default again.
        QStringList timeouts;
        for (const SimRequest &timeout : f.desktop.requests(SimOperations::SetMessagingTimeout)) {
            QVERIFY(timeout.detail.toDouble() <= 0.1);
            timeouts << QString::number(timeout.detail.toDouble());
        }
        QVERIFY(timeouts.count("0.1") >= 1);
        QCOMPARE(timeouts.last(), "0");
        QCOMPARE(f.accessibility.messagingTimeout(preview.accessibilityElement), 0.0);
        if (request)
            QCOMPARE(f.accessibility.messagingTimeout(request->button), 0.0);
    }

    // A hung application cannot hold the bar up: every main-thread call on
    // its window gives up after 0.1 s.
    void aHungApplicationCannotFreezeTheBar()
    {
        Fixture f;
        f.start();
        const WindowPreviewItem preview = f.preview(f.alphaWindow);
        f.desktop.setHung(f.alpha, true);
        const qint64 before = f.clock.monotonicMs();
        f.actions->focusRequestedWindow(preview, f.app(f.alpha), false);
        f.store->windowClosing().performWindowClose(preview);
        const qint64 spent = f.clock.monotonicMs() - before;
        QVERIFY2(spent <= 1000, qPrintable(QString::number(spent)));
        QVERIFY(SimDesktop::DefaultMessagingTimeoutSeconds * 1000 > 1000);
    }

    // Minimizing the window in front from its card: its own button, pressed
    // off the main thread; "cannot complete" counts as done, any other error
    // and "Keep window order" off fall back to Command-M.
    void minimizesTheFocusedWindow_data()
    {
        QTest::addColumn<bool>("keepWindowOrder");
        QTest::addColumn<int>("pressError");
        QTest::addColumn<bool>("watched");
        QTest::newRow("pressed") << true << 0 << true;
        QTest::newRow("cannot complete") << true << int(AXError::CannotComplete) << true;
        QTest::newRow("failed") << true << int(AXError::Failure) << false;
        QTest::newRow("order not kept") << false << 0 << false;
    }
    void minimizesTheFocusedWindow()
    {
        QFETCH(bool, keepWindowOrder);
        QFETCH(int, pressError);
        QFETCH(bool, watched);
        Fixture f;
        // Alpha's window in front of Beta's; the bar's flyout took activation.
        f.desktop.raiseWindow(f.alphaWindow);
        f.start();
        f.desktop.makeFrontmost(f.desktop.selfPid());
        f.clock.runPending();
        f.store->setKeepWindowOrder(keepWindowOrder);
        if (pressError)
            f.desktop.injectFailure(
                SimFailure::on(SimOperations::PerformAction, "AXPress").error(AXError(pressError)).once());
        f.actions->minimizeFocusedWindow(f.preview(f.alphaWindow), f.app(f.alpha));
        f.settle();
        f.clock.advance(WindowActions::frontmostWaitMs);
        f.settle();
        if (watched) {
            QCOMPARE(f.guard.watches,
                QStringList({ QString("minimize %1 back to %2 deactivated").arg(f.alphaWindow).arg(f.beta) }));
            QCOMPARE(f.log({ SimOperations::PostKeyEvent }), QStringList());
        } else {
            QCOMPARE(f.guard.watches, QStringList());
            QCOMPARE(f.log({ SimOperations::PostKeyEvent }),
                QStringList({ QString("postKeyEvent %1 m 46/100000/down").arg(f.alpha),
                    QString("postKeyEvent %1 m 46/100000/up").arg(f.alpha) }));
        }
    }

    // The same on the store's own threads: the press and the wait for the
    // application run off the main thread and report back to it.
    void minimizesOnTheStoresThreads()
    {
        Fixture f;
        f.realThreads = true;
        f.desktop.raiseWindow(f.alphaWindow);
        f.start();
        f.desktop.makeFrontmost(f.desktop.selfPid());
        f.clock.runPending();
        f.actions->minimizeFocusedWindow(f.preview(f.alphaWindow), f.app(f.alpha));
        QTRY_COMPARE(f.guard.watches,
            QStringList({ QString("minimize %1 back to %2 deactivated").arg(f.alphaWindow).arg(f.beta) }));
        f.actions->minimizeNatively(f.preview(f.alphaWindow), f.app(f.alpha));
        QTRY_COMPARE(f.log({ SimOperations::PostKeyEvent }).size(), 2);
    }

    // The user's name for a window: trimmed, tied to that window's element,
    // gone with a blank name (the window's own title is read again).
    // A card's window counts as the focused one, and a click minimizes it,
    // only when its application is in front and nothing covers the window.
    void focusedWindowIsTheUncoveredFrontWindow_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("focused");
        QTest::newRow("activated, in front") << "activate" << true;
        QTest::newRow("in front but covered by another application") << "front-covered" << false;
        QTest::newRow("in front, another window beside it") << "front-beside" << true;
        QTest::newRow("another application in front") << "other" << false;
        QTest::newRow("a sibling in front of it") << "sibling" << false;
    }
    void focusedWindowIsTheUncoveredFrontWindow()
    {
        QFETCH(QString, setup);
        QFETCH(bool, focused);
        Fixture f;
        f.start();
        if (setup == "activate") {
            f.desktop.activate(f.alpha);
        } else if (setup == "front-covered") {
            f.desktop.makeFrontmost(f.alpha);
        } else if (setup == "front-beside") {
            f.desktop.moveWindow(f.betaWindow, QRectF(800, 100, 300, 200));
            f.desktop.makeFrontmost(f.alpha);
        } else if (setup == "sibling") {
            f.desktop.activate(f.alpha);
            f.addWindow(f.alpha, QRectF(150, 150, 600, 400), "Notes");
        }
        f.clock.advance(2000);
        QCOMPARE(f.actions->isFocusedWindow(f.preview(f.alphaWindow), f.app(f.alpha)), focused);
    }

    void renamesAWindow()
    {
        Fixture f;
        f.start();
        CustomWindowNames &names = f.store->customWindowNames();
        const WindowPreviewItem preview = f.preview(f.alphaWindow);
        QSignalSpy changed(&names, &CustomWindowNames::customWindowNamesChanged);
        names.renameWindow(preview, "  Budget 2027 \n");
        QCOMPARE(names.customWindowName(preview), std::optional<QString>("Budget 2027"));
        QCOMPARE(changed.size(), 1);
        WindowPreviewItem replaced = preview;
        replaced.accessibilityElement = f.accessibility.applicationElement(f.alpha);
        QCOMPARE(names.customWindowName(replaced), std::nullopt);

        names.renameWindow(preview, "   ");
        QCOMPARE(names.customWindowName(preview), std::nullopt);
        QCOMPARE(changed.size(), 2);
        QVERIFY(f.store->windowPreviewCache().isFetching(f.alpha));
        QCOMPARE(f.tooltip.hides, 2);

        // Names go with their application.
        names.renameWindow(preview, "Budget");
        names.retainProcesses({ f.beta });
        QVERIFY(names.customWindowNames().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWindowActions)
#include "tst_windowactions.moc"
