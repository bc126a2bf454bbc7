#include "services/applicationmenuactionprovider.h"

#include "support/servicesworld.h"
#include "support/simmenus.h"

#include "platform/axnames.h"

#include <QTest>

using namespace Velmora;
using Kind = ApplicationMenuAction::Kind;
using Sim::SimMenuItem;
using Velmora::Test::item;
using Velmora::Test::menu;
using Velmora::Test::ServicesWorld;

namespace {

// "kind|title|path" per action, the path's indexes joined by points: a menu
// bar item i, its menu 0, that menu's item j reads "i.0.j".
QStringList described(const QList<ApplicationMenuAction> &actions)
{
    QStringList lines;
    for (const ApplicationMenuAction &action : actions) {
        QStringList path;
        for (int index : action.path)
            path << QString::number(index);
        lines << ApplicationMenuAction::rawValue(action.kind) + '|' + action.title + '|' + path.join('.');
    }
    return lines;
}

// A menu bar as a test column (a list of menu items cannot be one by itself:
// the item type holds a list of its own type).
struct MenuBar
{
    QList<SimMenuItem> items;
};

struct MenuWorld : ServicesWorld
{
    ApplicationMenuActionProvider provider { accessibility, workspace, privateFunctions, clock };

    qint32 addMenuApp(const QList<SimMenuItem> &menuBar, const QString &bundleIdentifier = "com.example.Editor")
    {
        const qint32 pid = addApp("Editor");
        desktop.updateProcess(pid, [&](Sim::SimProcess &process) {
            process.menuBar = menuBar;
            process.bundleIdentifier = bundleIdentifier;
        });
        return pid;
    }

    int windowCount(qint32 pid) const { return int(desktop.process(pid)->windowOrder.size()); }

    int presses(qint32 pid) const
    {
        int count = 0;
        for (const Sim::SimRequest &request : desktop.requests(Sim::SimOperations::PerformAction))
            count += request.pid == pid && request.name == AXNames::Press;
        return count;
    }

    // Moves virtual time, letting presses on the worker finish and their
    // follow-ups reach this thread.
    void advance(qint64 ms)
    {
        clock.advance(ms);
        QVERIFY(provider.waitForPresses(10000));
        QCoreApplication::processEvents();
        clock.runPending();
    }
};

} // namespace

Q_DECLARE_METATYPE(MenuBar)

class TestApplicationMenuActionProvider : public QObject
{
    Q_OBJECT
private slots:
    void kindOfTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("kind");

        QTest::newRow("ellipsis character") << QString("New Window\u2026") << "newWindow";
        QTest::newRow("three full stops") << "New Window..."
                                          << "newWindow";
        QTest::newRow("white space and line breaks around") << "  new window \n"
                                                            << "newWindow";
        QTest::newRow("capitals") << "NEW WINDOW"
                                  << "newWindow";
        QTest::newRow("no prefix matching") << "New Window for Tab"
                                            << "";
        QTest::newRow("no substring matching") << "Open New Window"
                                               << "";
        QTest::newRow("New alone") << "New"
                                   << "newDocument";
        QTest::newRow("private, any browser's word") << "New InPrivate Window"
                                                     << "newPrivateWindow";
        QTest::newRow("incognito") << "New Incognito Window"
                                   << "newPrivateWindow";
        QTest::newRow("email") << "New Email"
                               << "newMessage";
        QTest::newRow("find with ellipsis") << QString("Find\u2026") << "find";
        QTest::newRow("go to folder") << "Go to Folder..."
                                      << "goToFolder";
        QTest::newRow("ellipsis inside the words is removed too") << "New...Window"
                                                                  << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void kindOfTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, kind);
        const auto found = ApplicationMenuActionProvider::kind(title);
        QCOMPARE(found ? ApplicationMenuAction::rawValue(*found) : QString(), kind);
    }

    void kindsHaveTheirRawValues()
    {
        QCOMPARE(ApplicationMenuAction::allCases().size(), 12);
        for (Kind kind : ApplicationMenuAction::allCases())
            QCOMPARE(ApplicationMenuAction::fromRawValue(ApplicationMenuAction::rawValue(kind)), kind);
        QCOMPARE(ApplicationMenuAction::rawValue(Kind::connectToServer), QString("connectToServer"));
        QVERIFY(!ApplicationMenuAction::fromRawValue("NewWindow"));
    }

    void discovers_data()
    {
        QTest::addColumn<QString>("bundleIdentifier");
        QTest::addColumn<MenuBar>("menuBar");
        QTest::addColumn<QStringList>("expected");

        const QString finder = "com.apple.finder";
        const QString editor = "com.example.Editor";

        QTest::newRow("the general kinds, in their order")
            << editor
            << MenuBar { { menu("File",
                   { item("New Document"), item("New Window\u2026"), item("New Private Window"), item("Find..."),
                       item("New Finder Window") }) } }
            << QStringList { "newWindow|New Window\u2026|0.0.1", "newPrivateWindow|New Private Window|0.0.2",
                   "newDocument|New Document|0.0.0" };
        QTest::newRow("Finder's five; its New Window is ignored")
            << finder
            << MenuBar { { menu("Finder", { item("About Finder") }),
                   menu("File",
                       { item("New Window"), item("New Finder Window"), item("New Smart Folder"),
                           item("New Document") }),
                   menu("Go", { item("Go to Folder\u2026"), item("Connect to Server\u2026") }),
                   menu("Edit", { item("Find") }) } }
            << QStringList { "newFinderWindow|New Finder Window|1.0.1", "newSmartFolder|New Smart Folder|1.0.2",
                   "find|Find|3.0.0", "goToFolder|Go to Folder\u2026|2.0.0",
                   "connectToServer|Connect to Server\u2026|2.0.1" };
        QTest::newRow("a later menu with New Window is the whole result")
            << editor
            << MenuBar { { menu("File", { item("New Document"), item("New Note") }),
                   menu("Shell", { item("New Message"), item("New Window") }),
                   menu("Window", { item("New Project") }) } }
            << QStringList { "newWindow|New Window|1.0.1", "newMessage|New Message|1.0.0" };
        QTest::newRow("the earlier menu wins a kind")
            << editor
            << MenuBar { { menu("File", { item("New Text Document") }),
                   menu("Edit", { item("New"), item("New Note") }) } }
            << QStringList { "newDocument|New Text Document|0.0.0", "newNote|New Note|1.0.1" };
        QTest::newRow("depth first: a submenu before the next item")
            << editor << MenuBar { { menu("File", { menu("Templates", { item("New") }), item("New Document") }) } }
            << QStringList { "newDocument|New|0.0.0.0.0" };
        QTest::newRow("six levels are read, the next item level is not")
            << editor
            << MenuBar { { menu(
                   "File", { menu("A", { menu("B", { item("New Note"), menu("C", { item("New Event") }) }) }) }) } }
            << QStringList { "newNote|New Note|0.0.0.0.0.0.0" };
        QTest::newRow("menu bar titles are not commands, their menus are read")
            << editor << MenuBar { { menu("New Window", { item("New Window for Tab"), item("New Event") }) } }
            << QStringList { "newEvent|New Event|0.0.1" };
    }
    void discovers()
    {
        QFETCH(QString, bundleIdentifier);
        QFETCH(MenuBar, menuBar);
        QFETCH(QStringList, expected);

        MenuWorld world;
        const qint32 pid = world.addMenuApp(menuBar.items, bundleIdentifier);
        QCOMPARE(described(world.provider.discoverActions(pid)), expected);

        // An application that refuses batched reads is read one attribute at a time.
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyMultipleAttributeValues));
        QCOMPARE(described(world.provider.discoverActions(pid)), expected);
    }

    void discoveryKeepsTheItemAndItsEnabledState()
    {
        MenuWorld world;
        const qint32 pid = world.addMenuApp({ menu("File", { item("New Window"), item("New Document", {}, false) }) });
        const QList<ApplicationMenuAction> actions = world.provider.discoverActions(pid);
        QCOMPARE(actions.size(), 2);
        QVERIFY(actions[0].isEnabled);
        QVERIFY(!actions[1].isEnabled);
        QCOMPARE(world.accessibility.copyAttributeValue(actions[1].element, AXNames::Title).valueOr({}).toString(),
            QString("New Document"));

        // An item that does not say whether it is enabled counts as enabled.
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyAttributeValue, AXNames::Enabled)
                                        .error(AXError::CannotComplete));
        for (const ApplicationMenuAction &action : world.provider.discoverActions(pid))
            QVERIFY(action.isEnabled);
    }

    void withoutTrustOrMenuBarThereIsNothing()
    {
        MenuWorld world;
        const qint32 bare = world.addMenuApp({});
        QVERIFY(world.provider.discoverActions(bare).isEmpty());
        QVERIFY(world.provider.discoverActions(4242).isEmpty());

        const qint32 pid = world.addMenuApp({ menu("File", { item("New Window", SimMenuItem::NewWindowCommand) }) });
        world.desktop.setAccessibilityTrusted(false);
        QVERIFY(world.provider.discoverActions(pid).isEmpty());
        QVERIFY(!world.provider.pressAction(Kind::newWindow, { 0, 0, 0 }, pid));
        QVERIFY(!world.provider.pressFreshAction(Kind::newWindow, pid));
        QCOMPARE(world.presses(pid), 0);
    }

    void pressesByPath_data()
    {
        QTest::addColumn<QList<int>>("path");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("pressed");

        QTest::newRow("the item") << QList<int> { 0, 0, 1 } << int(Kind::newWindow) << true;
        QTest::newRow("an index past the end") << QList<int> { 0, 0, 5 } << int(Kind::newWindow) << false;
        QTest::newRow("a negative index") << QList<int> { 0, 0, -1 } << int(Kind::newWindow) << false;
        QTest::newRow("an item of another kind") << QList<int> { 0, 0, 0 } << int(Kind::newWindow) << false;
        QTest::newRow("a disabled item") << QList<int> { 0, 0, 2 } << int(Kind::newNote) << false;
        QTest::newRow("a menu, not an item") << QList<int> { 0, 0 } << int(Kind::newWindow) << false;
        QTest::newRow("the menu bar's own title") << QList<int> { 1 } << int(Kind::newWindow) << false;
    }
    void pressesByPath()
    {
        QFETCH(QList<int>, path);
        QFETCH(int, kind);
        QFETCH(bool, pressed);

        MenuWorld world;
        const qint32 pid = world.addMenuApp(
            { menu("File",
                  { item("Open"), item("New Window", SimMenuItem::NewWindowCommand), item("New Note", {}, false) }),
                menu("New Window", {}) });
        QCOMPARE(world.provider.pressAction(Kind(kind), path, pid), pressed);
        QCOMPARE(world.presses(pid), pressed ? 1 : 0);
    }

    void performFindsAStaleCommandAfreshByTitle()
    {
        MenuWorld world;
        const qint32 pid = world.addMenuApp({ menu("File", { item("New Window", SimMenuItem::NewWindowCommand) }) });
        world.addWindow(pid, { 100, 100, 600, 400 });
        world.desktop.activate(pid);
        const ApplicationMenuAction action = world.provider.discoverActions(pid).value(0);
        QCOMPARE(action.path, QList<int>({ 0, 0, 0 }));

        // The application rebuilt its menu: the old path now leads to Close.
        world.desktop.updateProcess(pid, [](Sim::SimProcess &process) {
            process.menuBar = { menu("File",
                { item("Close", SimMenuItem::CloseWindowCommand),
                    item("New Window", SimMenuItem::NewWindowCommand) }) };
        });
        world.provider.perform(action, world.app(pid));
        world.advance(0);
        world.advance(5000);
        QCOMPARE(world.windowCount(pid), 2);
        QCOMPARE(world.presses(pid), 1);
    }

    void performPressesOnceMoreAfterAPause()
    {
        MenuWorld world;
        const qint32 pid
            = world.addMenuApp({ menu("File", { item("New Window", SimMenuItem::NewWindowCommand, false) }) });
        world.desktop.activate(pid);
        const ApplicationMenuAction action = world.provider.discoverActions(pid).value(0);

        world.provider.perform(action, world.app(pid));
        world.advance(0);
        world.advance(ApplicationMenuActionProvider::lastPressDelayMs - 1);
        QCOMPARE(world.windowCount(pid), 0);

        // The application enables the item while it settles.
        world.desktop.updateProcess(
            pid, [](Sim::SimProcess &process) { process.menuBar[0].children[0].enabled = true; });
        world.advance(1);
        world.advance(5000);
        QCOMPARE(world.windowCount(pid), 1);

        // That was the last try: a command that stays disabled is dropped.
        world.desktop.updateProcess(
            pid, [](Sim::SimProcess &process) { process.menuBar[0].children[0].enabled = false; });
        world.provider.perform(action, world.app(pid));
        for (int i = 0; i < 10; ++i)
            world.advance(1000);
        QCOMPARE(world.windowCount(pid), 1);
        QCOMPARE(world.presses(pid), 1);
    }

    void performBringsTheApplicationForward_data()
    {
        QTest::addColumn<bool>("frontCallAvailable");
        QTest::addColumn<bool>("forwarding");
        QTest::addColumn<QString>("expectedCall");

        QTest::newRow("front-process call")
            << true << false << QString(PrivateFunctions::SLPSSetFrontProcessWithOptionsName);
        QTest::newRow("activation without the private call") << false << false << QString(Sim::SimOperations::Activate);
        QTest::newRow("focusing the window that was in front") << true << true << QString("focusWindow");
    }
    void performBringsTheApplicationForward()
    {
        QFETCH(bool, frontCallAvailable);
        QFETCH(bool, forwarding);
        QFETCH(QString, expectedCall);

        MenuWorld world;
        QStringList calls;
        ApplicationMenuActionProvider::Forwarding seam;
        if (forwarding) {
            seam.watchActivation = [&](const RunningApplication &) {
                calls << "watchActivation";
                return std::optional<quint32>(77);
            };
            seam.focusWindow = [&](quint32 window, const RunningApplication &application) {
                calls << "focusWindow";
                return window == 77 && world.desktop.makeFrontmost(application.processIdentifier);
            };
        }
        ApplicationMenuActionProvider provider(
            world.accessibility, world.workspace, world.privateFunctions, world.clock, seam);
        world.desktop.setPrivateFunctionAvailable(
            PrivateFunctions::SLPSSetFrontProcessWithOptionsName, frontCallAvailable);
        const qint32 pid = world.addMenuApp({ menu("File", { item("New Window", SimMenuItem::NewWindowCommand) }) });
        world.desktop.updateProcess(pid, [](Sim::SimProcess &process) { process.hidden = true; });
        const qint32 other = world.addApp("Other");
        world.desktop.activate(other);

        provider.perform(provider.discoverActions(pid).value(0), world.app(pid));
        world.clock.runPending();
        QVERIFY(provider.waitForPresses(10000));
        QCOMPARE(world.desktop.frontmostPid(), pid);
        QVERIFY(!world.desktop.process(pid)->hidden);
        QCOMPARE(world.presses(pid), 1);

        const int frontCalls = world.callsTo(PrivateFunctions::SLPSSetFrontProcessWithOptionsName);
        const int activations = world.callsTo(Sim::SimOperations::Activate);
        if (expectedCall == PrivateFunctions::SLPSSetFrontProcessWithOptionsName) {
            const auto call = world.desktop.requests(expectedCall).value(0);
            QCOMPARE(call.detail.toMap().value("options").toUInt(), 0x400u);
            QCOMPARE(call.detail.toMap().value("window").toUInt(), 0u);
            QCOMPARE(activations, 0);
        } else if (expectedCall == Sim::SimOperations::Activate) {
            QCOMPARE(frontCalls, 0);
            QCOMPARE(activations, 1);
        } else {
            QCOMPARE(calls, QStringList({ "watchActivation", "focusWindow" }));
            QCOMPARE(frontCalls + activations, 0);
        }
    }

    void performWaitsHalfASecondForTheApplicationToComeForward()
    {
        MenuWorld world;
        const qint32 pid = world.addMenuApp({ menu("File", { item("New Window", SimMenuItem::NewWindowCommand) }) });
        const qint32 other = world.addApp("Other");
        world.desktop.activate(other);
        // The application ignores every request to come forward.
        world.desktop.injectFailure(Sim::SimFailure::on(
            Sim::SimOperations::CallPrivateFunction, PrivateFunctions::SLPSSetFrontProcessWithOptionsName)
                                        .withStatus(-600));
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::Activate));

        world.provider.perform(world.provider.discoverActions(pid).value(0), world.app(pid));
        world.advance(0);
        QCOMPARE(world.callsTo(Sim::SimOperations::Activate), 1);
        world.advance(
            ApplicationMenuActionProvider::frontmostChecks * ApplicationMenuActionProvider::frontmostCheckIntervalMs
            - 1);
        QCOMPARE(world.presses(pid), 0);
        world.advance(1);
        QCOMPARE(world.presses(pid), 1);
        QCOMPARE(world.desktop.frontmostPid(), other);
    }

    void performLeavesAnEndedApplicationAlone()
    {
        MenuWorld world;
        const qint32 pid = world.addMenuApp({ menu("File", { item("New Window", SimMenuItem::NewWindowCommand) }) });
        const ApplicationMenuAction action = world.provider.discoverActions(pid).value(0);
        const RunningApplication application = world.app(pid);
        world.desktop.killProcess(pid);
        world.provider.perform(action, application);
        world.advance(0);
        world.advance(5000);
        QCOMPARE(world.callsTo(Sim::SimOperations::PerformAction), 0);
        QCOMPARE(world.callsTo(Sim::SimOperations::Activate), 0);
    }
};

QTEST_GUILESS_MAIN(TestApplicationMenuActionProvider)
#include "tst_applicationmenuactionprovider.moc"
