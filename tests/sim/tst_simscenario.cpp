#include "support/desktopworld.h"

#include "platform/sim/simscenario.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

class TestSimScenario : public QObject
{
    Q_OBJECT
private slots:
    void theBuiltInScenarioHasSeveralApplicationsWithWindows()
    {
        VirtualClock clock;
        SimPlatform platform(clock);
        // Even an empty desktop runs this process.
        QCOMPARE(platform.workspace.runningApplications().size(), 1);
        QCOMPARE(platform.workspace.runningApplications().first().processIdentifier,
                 platform.workspace.currentProcessIdentifier());
        QString error;
        QVERIFY2(SimScenario::load(platform.desktop, SimScenario::builtIn(), &error), qPrintable(error));
        int withWindows = 0;
        for (const RunningApplication &app : platform.workspace.runningApplications()) {
            if (app.activationPolicy == ActivationPolicy::Regular
                && platform.desktop.accessibleWindows(app.processIdentifier).size() >= 2)
                ++withWindows;
        }
        QVERIFY(withWindows >= 3);
        QCOMPARE(platform.displays.screens().size(), 2);
        QVERIFY(platform.workspace.frontmostApplication());
        QCOMPARE(platform.workspace.currentProcessIdentifier(), platform.desktop.selfPid());

        // It names every knob, so its behaviour is written down rather than
        // left to whatever the defaults become.
        const QJsonObject builtIn = QJsonDocument::fromJson(SimScenario::builtIn()).object();
        const QJsonObject saved = QJsonDocument::fromJson(SimScenario::save(platform.desktop)).object();
        QCOMPARE(builtIn.value("behaviour").toObject().keys(), saved.value("behaviour").toObject().keys());
        // Its Dock runs, at the bottom of the main display, its strip out of the visible frame.
        const DisplayInfo main = platform.displays.screens().first();
        QCOMPARE(main.visibleFrame, main.frame.adjusted(0, 70, 0, -25));
    }

    // What is saved loads into the same world, changes included.
    void aScenarioSurvivesARoundTrip()
    {
        Test::InterleavedWorld world;
        world.desktop.updateWindow(world.a1, [](SimWindow &w) {
            w.minimized = true;
            w.tabs = {"One", "Two"};
            w.windowListOverrides = {{WindowListEntry::LayerKey, "zero"}};
        });
        world.desktop.updateProcess(world.beta, [](SimProcess &p) {
            p.hung = true;
            p.iconName = "utilities-terminal";
            p.menuBar = {{"File", true, {}, 0, {}, {{"Close", false, "w", 0, "closeWindow", {}}}}};
        });
        SimInstalledApplication installed;
        installed.bundleIdentifier = "com.example.plain";
        world.desktop.addInstalledApplication(installed);
        installed.bundleIdentifier = "com.example.browser";
        installed.iconName = "web-browser";
        world.desktop.addInstalledApplication(installed);
        world.desktop.setPreference("com.apple.dock", "orientation", "left");
        world.desktop.setPrivateFunctionAvailable("CoreDockSendNotification", false);
        world.desktop.setFavoriteFolders({{QUrl::fromLocalFile("/Users/demo/Music"), "Music", true},
                                          {QUrl(), "Gone", std::nullopt}});
        world.platform.workspace.activate(world.alpha, 0);
        SimKnobs knobs = world.desktop.knobs();
        knobs.activationRaiseBurstSize = 3;
        knobs.frontCallNeedsEventRecords = false;
        knobs.reducedMotionScale = 0.5;
        world.desktop.setKnobs(knobs);
        QVERIFY(world.desktop.setFullScreen(world.b2, true));
        world.clock.advance(1000);
        QCOMPARE(world.desktop.fullScreenSpaces().size(), 1);
        const QByteArray saved = SimScenario::save(world.desktop);

        VirtualClock clock;
        SimPlatform copy(clock);
        QString error;
        QVERIFY2(SimScenario::load(copy.desktop, saved, &error), qPrintable(error));
        QCOMPARE(SimScenario::save(copy.desktop), saved);
        QCOMPARE(copy.desktop.stackingOrder(), world.desktop.stackingOrder());
        QCOMPARE(copy.desktop.window(world.a1), world.desktop.window(world.a1));
        QCOMPARE(copy.desktop.process(world.beta)->menuBar, world.desktop.process(world.beta)->menuBar);
        QCOMPARE(copy.desktop.process(world.beta)->iconName, QString("utilities-terminal"));
        QCOMPARE(copy.desktop.installedApplications(), world.desktop.installedApplications());
        QCOMPARE(copy.workspace.frontmostApplication()->processIdentifier, world.alpha);
        QCOMPARE(copy.favoriteFolders.entries(), world.platform.favoriteFolders.entries());
        QCOMPARE(copy.desktop.knobs(), knobs);
        QCOMPARE(copy.desktop.fullScreenSpaces(), world.desktop.fullScreenSpaces());
        QCOMPARE(copy.desktop.spaceShownOn(1), world.desktop.spaceShownOn(1));
    }

    // Fields of the wrong type read as their defaults; the scenario still loads.
    void wrongTypedFieldsFallBackToTheirDefaults()
    {
        Test::InterleavedWorld world;
        const QByteArray json = R"({"displays": [{"id": "one", "bounds": "wide"}],
            "preferences": {"com.apple.dock": 7},
            "processes": [{"pid": 400, "name": "A", "hidden": "yes", "menuBar": {"title": 1}, "closeMs": "slow",
                           "icon": ["web-browser"]}],
            "windows": [{"owner": 400, "number": 9000, "bounds": [1, 2], "tabs": {}, "title": [],
                         "windowListOverrides": []}]})";
        QString error;
        QVERIFY2(SimScenario::load(world.desktop, json, &error), qPrintable(error));
        const SimWindow window = world.desktop.window(9000).value();
        QCOMPARE(window.ownerPid, 400);
        QCOMPARE(window.bounds, QRectF());
        QVERIFY(window.tabs.isEmpty() && window.title.isEmpty() && window.windowListOverrides.isEmpty());
        QCOMPARE(world.desktop.process(400)->hidden, false);
        QVERIFY(world.desktop.process(400)->menuBar.isEmpty());
        QCOMPARE(world.desktop.process(400)->closeDurationMs, SimProcess().closeDurationMs);
        QVERIFY(world.desktop.process(400)->iconName.isEmpty());
    }

    // A process without a pid or a window without a number never takes the
    // one that a later entry lists, which would then replace it or be dropped.
    void automaticPidsAndNumbersAvoidListedOnes()
    {
        VirtualClock clock;
        SimDesktop desktop(clock); // fresh: it would hand out pid 400 and window 1000 first
        const QByteArray json = "{\"processes\": [{\"name\": \"Auto\"}, {\"pid\": 400, \"name\": \"Listed\"}],"
                                " \"windows\": [{\"owner\": 400, \"number\": 1000, \"title\": \"Front\"},"
                                " {\"owner\": 400, \"title\": \"Back\"}]}";
        QString error;
        QVERIFY2(SimScenario::load(desktop, json, &error), qPrintable(error));
        QStringList names;
        for (const SimProcess &process : desktop.processes())
            names << process.name;
        QVERIFY(names.contains("Auto") && names.contains("Listed"));
        QCOMPARE(desktop.window(1000)->title, QString("Front"));
        QCOMPARE(desktop.windows().size(), 2);
    }

    void aBrokenScenarioChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not JSON") << QByteArray("{\"processes\": [");
        QTest::newRow("not an object") << QByteArray("[]");
        QTest::newRow("processes not a list") << QByteArray("{\"processes\": {}}");
        QTest::newRow("window without owner") << QByteArray("{\"windows\": [{\"title\": \"x\"}]}");
        QTest::newRow("window of an unknown process")
            << QByteArray("{\"processes\": [{\"pid\": 400, \"name\": \"A\"}], \"windows\": [{\"owner\": 401}]}");
        QTest::newRow("wrong types everywhere")
            << QByteArray("{\"processes\": [{\"pid\": \"x\", \"name\": 3}], \"windows\": \"none\"}");
        // Values that would be cut to 32 bits, or windows and processes that
        // would replace one another, on their way into the world.
        QTest::newRow("owner pid beyond 32 bits")
            << QByteArray("{\"processes\": [{\"pid\": 4294967708, \"name\": \"A\"}], \"windows\": [{\"owner\": 4294967708}]}");
        QTest::newRow("own pid beyond 32 bits")
            << QByteArray("{\"selfPid\": 4294967396, \"windows\": [{\"owner\": 4294967396}]}");
        QTest::newRow("pid with a fraction")
            << QByteArray("{\"processes\": [{\"pid\": 400.5, \"name\": \"A\"}]}");
        QTest::newRow("window number beyond 32 bits")
            << QByteArray("{\"processes\": [{\"pid\": 400, \"name\": \"A\"}], \"windows\": [{\"owner\": 400, \"number\": 4294967296}]}");
        QTest::newRow("negative window number")
            << QByteArray("{\"processes\": [{\"pid\": 400, \"name\": \"A\"}], \"windows\": [{\"owner\": 400, \"number\": -1}]}");
        QTest::newRow("two windows with one number")
            << QByteArray("{\"processes\": [{\"pid\": 400, \"name\": \"A\"}], "
                          "\"windows\": [{\"owner\": 400, \"number\": 7}, {\"owner\": 400, \"number\": 7}]}");
        QTest::newRow("two processes with one pid")
            << QByteArray("{\"processes\": [{\"pid\": 400, \"name\": \"A\"}, {\"pid\": 400, \"name\": \"B\"}]}");
    }
    void aBrokenScenarioChangesNothing()
    {
        QFETCH(QByteArray, json);
        Test::InterleavedWorld world;
        const QByteArray before = SimScenario::save(world.desktop);
        QString error;
        QVERIFY(!SimScenario::load(world.desktop, json, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(SimScenario::save(world.desktop), before);
    }
};

QTEST_GUILESS_MAIN(TestSimScenario)
#include "tst_simscenario.moc"
