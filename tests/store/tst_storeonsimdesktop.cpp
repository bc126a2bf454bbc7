#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/sim/simaccessibility.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simworkspace.h"
#include "platform/sim/virtualclock.h"
#include "store/taskbarstore.h"
#include "storeworld.h"

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
};

QTEST_GUILESS_MAIN(TestStoreOnSimDesktop)
#include "tst_storeonsimdesktop.moc"
