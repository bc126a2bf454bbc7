#include "support/desktopworld.h"

#include "platform/axnames.h"
#include "platform/sim/simoperations.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void injectedErrorsAndWrongTypesReachTheCaller()
    {
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const AXElement app = ax.applicationElement(world.alpha);
        world.desktop.injectFailure(
            SimFailure::on(SimOperations::CopyAttributeValue, AXNames::Windows).error(AXError::CannotComplete).once());

        QCOMPARE(ax.copyAttributeValue(app, AXNames::Windows).error(), AXError::CannotComplete);
        const auto windows = ax.copyAttributeValue(app, AXNames::Windows).value()->toElementList();
        QVERIFY(windows);
        QCOMPARE(windows->size(), 2);

        // An application may answer with a value of another type.
        world.desktop.injectFailure(SimFailure::on(SimOperations::CopyAttributeValue, AXNames::Windows)
                                        .forPid(world.alpha)
                                        .answering(AXValue::fromString("not a list")));
        const AXResult<AXValue> odd = ax.copyAttributeValue(app, AXNames::Windows);
        QVERIFY(odd.ok());
        QVERIFY(!odd.value()->toElementList());
        QVERIFY(ax.copyAttributeValue(ax.applicationElement(world.beta), AXNames::Windows).value()->toElementList());

        // A batch reports the failed attribute in its place and the rest as usual.
        world.desktop.injectFailure(SimFailure::on(SimOperations::CopyAttributeValue, AXNames::Size));
        const QStringList batch{AXNames::Title, AXNames::Size, AXNames::Main, AXNames::CloseButton};
        const AXElement a1 = windows->first();
        const auto values = ax.copyMultipleAttributeValues(a1, batch, Accessibility::BatchOptions::None);
        QVERIFY(values.ok());
        QCOMPARE(values.value()->size(), size_t(4));
        QCOMPARE(values.value()->at(0).toString(), QString("Alpha One"));
        QCOMPARE(values.value()->at(1).toError(), AXError::Failure);
        QVERIFY(!values.value()->at(1).toSize());
        QCOMPARE(values.value()->at(2).toBool(), true);
        QVERIFY(values.value()->at(3).toElement());
        QCOMPARE(ax.copyMultipleAttributeValues(a1, batch, Accessibility::BatchOptions::StopOnError).error(),
                 AXError::Failure);

        world.desktop.setAccessibilityTrusted(false);
        QCOMPARE(ax.copyAttributeValue(a1, AXNames::Title).error(), AXError::APIDisabled);
        QCOMPARE(ax.copyAttributeValue(AXElement(), AXNames::Title).error(), AXError::APIDisabled);
        world.desktop.setAccessibilityTrusted(true);
        QCOMPARE(ax.copyAttributeValue(AXElement(), AXNames::Title).error(), AXError::InvalidUIElement);
        QCOMPARE(ax.copyAttributeValue(a1, "AXNoSuchThing").error(), AXError::AttributeUnsupported);
    }

    // Every call a caller examines can be made to fail with a chosen code,
    // and is logged whether it failed or not.
    void everyOperationCanBeMadeToFail_data()
    {
        QTest::addColumn<QString>("operation");
        for (const QLatin1String operation :
             {SimOperations::CopyAttributeValue, SimOperations::CopyMultipleAttributeValues,
              SimOperations::AttributeValueCount, SimOperations::IsAttributeSettable, SimOperations::SetAttributeValue,
              SimOperations::PerformAction, SimOperations::ElementAtPosition})
            QTest::newRow(operation.data()) << QString(operation);
    }
    void everyOperationCanBeMadeToFail()
    {
        QFETCH(QString, operation);
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const AXElement window = world.desktop.windowElement(world.b1);
        const QPointF inside = world.desktop.window(world.b1)->bounds.center();
        const auto call = [&]() -> AXError {
            if (operation == SimOperations::CopyAttributeValue)
                return ax.copyAttributeValue(window, AXNames::Children).error();
            if (operation == SimOperations::CopyMultipleAttributeValues)
                return ax.copyMultipleAttributeValues(window, {AXNames::Children}, Accessibility::BatchOptions::None)
                    .error();
            if (operation == SimOperations::AttributeValueCount)
                return ax.attributeValueCount(window, AXNames::Children).error();
            if (operation == SimOperations::IsAttributeSettable)
                return ax.isAttributeSettable(window, AXNames::Children).error();
            if (operation == SimOperations::SetAttributeValue)
                return ax.setAttributeValue(window, AXNames::Main, AXValue::fromBool(true));
            if (operation == SimOperations::PerformAction)
                return ax.performAction(window, AXNames::Raise);
            return ax.elementAtPosition(ax.systemWideElement(), inside).error();
        };
        QCOMPARE(call(), AXError::Success);
        world.desktop.injectFailure(SimFailure::on(operation).error(AXError::CannotComplete).once());
        QCOMPARE(call(), AXError::CannotComplete);
        QCOMPARE(call(), AXError::Success);
        const QList<SimRequest> logged = world.desktop.requests(operation);
        QCOMPARE(logged.size(), 3);
        QCOMPARE(logged.at(1).result, int(AXError::CannotComplete));
    }

    // A call into an unresponsive application costs its messaging time-out on
    // the clock; no other job runs while the caller is blocked.
    void aHungApplicationAnswersOnlyAfterTheTimeOut_data()
    {
        QTest::addColumn<bool>("hung");
        QTest::addColumn<int>("busyMs");
        QTest::addColumn<double>("timeoutSeconds"); // 0: the default
        QTest::addColumn<int>("expectedError");
        QTest::addColumn<int>("expectedElapsedMs");
        QTest::newRow("responsive") << false << 0 << 0.1 << int(AXError::Success) << 0;
        QTest::newRow("hung, short time-out") << true << 0 << 0.05 << int(AXError::CannotComplete) << 50;
        QTest::newRow("hung, default time-out") << true << 0 << 0.0 << int(AXError::CannotComplete) << 6000;
        QTest::newRow("busy, answers in time") << false << 40 << 0.1 << int(AXError::Success) << 40;
        QTest::newRow("busy beyond the time-out") << false << 400 << 0.1 << int(AXError::CannotComplete) << 100;
    }
    void aHungApplicationAnswersOnlyAfterTheTimeOut()
    {
        QFETCH(bool, hung);
        QFETCH(int, busyMs);
        QFETCH(double, timeoutSeconds);
        QFETCH(int, expectedError);
        QFETCH(int, expectedElapsedMs);
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const AXElement app = ax.applicationElement(world.alpha);
        if (timeoutSeconds > 0)
            QCOMPARE(ax.setMessagingTimeout(app, timeoutSeconds), AXError::Success);
        world.desktop.setHung(world.alpha, hung);
        if (busyMs)
            world.desktop.setBusyFor(world.alpha, busyMs);
        bool jobRan = false;
        world.clock.scheduleOnce(10, this, [&] { jobRan = true; });

        const qint64 before = world.clock.monotonicMs();
        QCOMPARE(int(ax.copyAttributeValue(app, AXNames::Title).error()), expectedError);
        QCOMPARE(world.clock.monotonicMs() - before, expectedElapsedMs);
        QVERIFY(!jobRan);
        world.clock.runPending();
        QCOMPARE(jobRan, expectedElapsedMs >= 10);

        // The time-out belongs to that element alone; the system-wide one sets the default.
        if (hung) {
            const AXElement window = world.desktop.windowElement(world.a1);
            QCOMPARE(ax.setMessagingTimeout(ax.systemWideElement(), 0.25), AXError::Success);
            const qint64 start = world.clock.monotonicMs();
            QCOMPARE(ax.performAction(window, AXNames::Raise), AXError::CannotComplete);
            QCOMPARE(world.clock.monotonicMs() - start, 250);
        }
    }

    // "Cannot complete" from a busy application does not mean "not done":
    // the press lands once the application gets to it; a hung one never does.
    void aBusyApplicationStillCarriesOutALatePress_data()
    {
        QTest::addColumn<bool>("hung");
        QTest::addColumn<bool>("minimizedInTheEnd");
        QTest::newRow("busy") << false << true;
        QTest::newRow("hung") << true << false;
    }
    void aBusyApplicationStillCarriesOutALatePress()
    {
        QFETCH(bool, hung);
        QFETCH(bool, minimizedInTheEnd);
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const AXElement button = *ax.copyAttributeValue(world.desktop.windowElement(world.a1), AXNames::MinimizeButton)
                                      .value()
                                      ->toElement();
        ax.setMessagingTimeout(button, 1.0);
        world.desktop.setBusyFor(world.alpha, 1500);
        world.desktop.setHung(world.alpha, hung);

        QCOMPARE(ax.performAction(button, AXNames::Press), AXError::CannotComplete);
        world.clock.advance(499); // busy until then; the minimize takes 250 ms more
        QVERIFY(!world.desktop.window(world.a1)->minimized);
        world.clock.advance(251);
        QCOMPARE(world.desktop.window(world.a1)->minimized, minimizedInTheEnd);
    }

    void elementAtAPointFindsTheTitleBarButton()
    {
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const SimWindow b1 = *world.desktop.window(world.b1);
        const QPointF onMinimize = SimDesktop::buttonFrame(b1, SimNode::Kind::MinimizeButton).center();
        const AXResult<AXElement> hit = ax.elementAtPosition(ax.applicationElement(world.beta), onMinimize);
        QVERIFY(hit.ok());
        QCOMPARE(ax.copyAttributeValue(*hit.value(), AXNames::Subrole).value()->toString(),
                 QString(AXNames::MinimizeButtonSubrole));
        const QRectF frame(*ax.copyAttributeValue(*hit.value(), AXNames::Position).value()->toPoint(),
                           *ax.copyAttributeValue(*hit.value(), AXNames::Size).value()->toSize());
        QVERIFY(frame.contains(onMinimize));

        // Beta's window covers that point, so Alpha has nothing there; the desktop background has nothing at all.
        QCOMPARE(ax.elementAtPosition(ax.applicationElement(world.alpha), onMinimize).error(), AXError::NoValue);
        QCOMPARE(ax.elementAtPosition(ax.systemWideElement(), {1400, 20}).error(), AXError::NoValue);
        const AXResult<AXElement> body = ax.elementAtPosition(ax.systemWideElement(), b1.bounds.center());
        QCOMPARE(body.value(), world.desktop.windowElement(world.b1));
    }

    // Registered on the application element, an observer hears about every
    // window of it, and the callback names the window concerned.
    void anApplicationObserverHearsAboutItsWindows()
    {
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const AXElement app = ax.applicationElement(world.alpha);
        QList<std::pair<QString, AXElement>> heard;
        auto observer = ax.createObserver(world.alpha, this, [&](const AXElement &element, const QString &name) {
            heard.append({name, element});
        });
        for (QLatin1String name : {AXNames::WindowCreated, AXNames::FocusedWindowChanged, AXNames::UIElementDestroyed})
            QCOMPARE(observer->addNotification(app, name), AXError::Success);

        world.platform.accessibility.performAction(world.desktop.windowElement(world.a2), AXNames::Raise);
        QVERIFY(world.desktop.runCommand(world.beta, "newWindow")); // another application's: not heard
        QVERIFY(world.desktop.runCommand(world.alpha, "newWindow"));
        world.clock.advance(world.desktop.knobs().newWindowDelayMs);
        const quint32 newest = world.desktop.accessibleWindows(world.alpha).first();
        QVERIFY(world.desktop.beginClose(newest));
        world.clock.advance(1000);

        const AXElement a2 = world.desktop.windowElement(world.a2);
        const QList<std::pair<QString, AXElement>> expected{
            {AXNames::FocusedWindowChanged, a2},
            {AXNames::WindowCreated, heard.value(1).second},
            {AXNames::FocusedWindowChanged, heard.value(1).second},
            {AXNames::UIElementDestroyed, heard.value(1).second},
            {AXNames::FocusedWindowChanged, a2}};
        QCOMPARE(heard, expected);
        QCOMPARE(heard.value(1).second.processIdentifier(), world.alpha);
        QCOMPARE(ax.copyAttributeValue(heard.value(1).second, AXNames::Title).error(), AXError::InvalidUIElement);
    }

    // A minimized window has a tile in the Dock's tree; pressing it restores the window.
    void theDockShowsMinimizedWindowsAsTiles()
    {
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        const qint32 dock = world.addDock();
        world.desktop.updateWindow(world.a1, [](SimWindow &w) {
            w.minimized = true;
            w.dockTitle = "Alpha O…";
        });
        const auto level1 = ax.copyAttributeValue(ax.applicationElement(dock), AXNames::Children).value()->toElementList();
        QCOMPARE(level1->size(), 1);
        const auto tiles = ax.copyAttributeValue(level1->first(), AXNames::Children).value()->toElementList();
        QCOMPARE(tiles->size(), 1);
        QCOMPARE(ax.copyAttributeValue(tiles->first(), AXNames::Subrole).value()->toString(),
                 QString(AXNames::MinimizedWindowDockItem));
        QCOMPARE(ax.copyAttributeValue(tiles->first(), AXNames::Title).value()->toString(), QString("Alpha O…"));

        QCOMPARE(ax.performAction(tiles->first(), AXNames::Press), AXError::Success);
        world.clock.advance(1000);
        QVERIFY(!world.desktop.window(world.a1)->minimized);
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop).first(), world.a1);
        QCOMPARE(ax.copyAttributeValue(tiles->first(), AXNames::Title).error(), AXError::InvalidUIElement);
    }

    void menuCommandsAreReachableByPath()
    {
        InterleavedWorld world;
        auto &ax = world.platform.accessibility;
        world.desktop.updateProcess(world.alpha, [](SimProcess &p) {
            p.menuBar = {{"Alpha", true, {}, 0, {}, {}},
                         {"File", true, {}, 0, {}, {{"New Window", true, "n", 0, "newWindow", {}}}}};
        });
        const AXElement menuBar = *ax.copyAttributeValue(ax.applicationElement(world.alpha), AXNames::MenuBar)
                                       .value()
                                       ->toElement();
        const AXElement file = ax.copyAttributeValue(menuBar, AXNames::Children).value()->toElementList()->at(1);
        QCOMPARE(ax.copyAttributeValue(file, AXNames::Role).value()->toString(), QString(AXNames::MenuBarItemRole));
        const AXElement menu = ax.copyAttributeValue(file, AXNames::Children).value()->toElementList()->at(0);
        const AXElement item = ax.copyAttributeValue(menu, AXNames::Children).value()->toElementList()->at(0);
        QCOMPARE(ax.copyAttributeValue(item, AXNames::MenuItemCmdChar).value()->toString(), QString("n"));
        QCOMPARE(ax.copyAttributeValue(item, AXNames::MenuItemCmdModifiers).value()->toInteger(), 0);

        QCOMPARE(ax.performAction(item, AXNames::Press), AXError::Success);
        world.clock.advance(world.desktop.knobs().newWindowDelayMs);
        QCOMPARE(world.desktop.accessibleWindows(world.alpha).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestSimAccessibility)
#include "tst_simaccessibility.moc"
