#include "store/applists.h"
#include "store/storesettings.h"
#include "storefakes.h"
#include "support/appitems.h"

#include <QTest>

Q_DECLARE_METATYPE(Velmora::AppLists::BarInputs)

using namespace Velmora;
using Velmora::Test::app;
using Velmora::Test::ids;
using namespace Velmora::AppLists;

namespace {

AppItem running(const QString &bundleID, const QString &name)
{
    return app(bundleID, name, true);
}

} // namespace

class TestAppLists : public QObject
{
    Q_OBJECT
private slots:
    void runningItemsOnePerApplicationSortedByName()
    {
        const QList<RunningProcess> processes {
            { 10, "org.zed", QString("zed"), {} },
            { 11, "com.example.b", QString("Beta"), "/Applications/Beta.app" },
            { 12, "com.example.b", QString("Beta Helper"), {} },
            { 13, "com.example.nameless", std::nullopt, {} },
            { 14, "com.example.a", QString("alpha"), {} },
            { 15, "com.example.a2", QString("Alpha"), {} },
        };
        const QList<AppItem> items = runningAppItems(processes);
        // Case-insensitive and stable: "alpha" and "Alpha" keep the workspace's order.
        QCOMPARE(ids(items), QStringList({ "com.example.a", "com.example.a2", "com.example.b", "org.zed" }));
        QCOMPARE(items.at(2),
            (AppItem { "com.example.b", "Beta", QString("com.example.b"), QUrl::fromLocalFile("/Applications/Beta.app"),
                true, std::nullopt }));
    }

    void barList_data()
    {
        QTest::addColumn<BarInputs>("inputs");
        QTest::addColumn<QStringList>("expected");

        const AppItem safari = app("com.apple.Safari", "Safari");
        const AppItem mail = app("com.apple.mail", "Mail");
        const AppItem finderRunning = running("com.apple.finder", "Finder");

        BarInputs pinnedAndRunning;
        pinnedAndRunning.pinnedApps = { safari, mail };
        pinnedAndRunning.runningApps = { running("com.apple.mail", "Mail"), running("org.notes", "Notes") };
        QTest::newRow("running pin listed once at its pin")
            << pinnedAndRunning << QStringList { "com.apple.Safari", "com.apple.mail", "org.notes" };

        BarInputs finderHidden;
        finderHidden.runningApps = { finderRunning, running("org.notes", "Notes") };
        finderHidden.finderHasWindows = false;
        QTest::newRow("finder without windows") << finderHidden << QStringList { "org.notes" };

        BarInputs finderShown = finderHidden;
        finderShown.finderHasWindows = true;
        finderShown.order = { "org.notes" };
        QTest::newRow("finder with windows follows the ordered items")
            << finderShown << QStringList { "org.notes", "com.apple.finder" };

        BarInputs ownWindows;
        ownWindows.pinnedApps = { safari };
        ownWindows.isTaskManagerOpen = true;
        ownWindows.otherVelmoraWindowTitle = QString("About");
        ownWindows.isOnboardingOpen = true;
        ownWindows.isSettingsWindowOpen = true;
        QTest::newRow("own windows in fixed order") << ownWindows
                                                    << QStringList { "com.apple.Safari", "velmora-settings",
                                                           "velmora-setup", "velmora-windows", "velmora-health-check" };

        BarInputs saved;
        saved.pinnedApps = { mail, safari };
        saved.runningApps = { running("org.notes", "Notes") };
        saved.isTaskManagerOpen = true;
        saved.order = { "com.apple.Safari", "gone.app", "velmora-health-check" };
        QTest::newRow("saved order first, unknown ids skipped")
            << saved << QStringList { "com.apple.Safari", "velmora-health-check", "com.apple.mail", "org.notes" };

        BarInputs repeated = saved;
        repeated.order = { "com.apple.Safari", "com.apple.mail", "com.apple.Safari" };
        QTest::newRow("a repeated id in the saved order makes no second button")
            << repeated << QStringList { "com.apple.Safari", "com.apple.mail", "org.notes", "velmora-health-check" };
    }
    void barList()
    {
        QFETCH(BarInputs, inputs);
        QFETCH(QStringList, expected);
        QCOMPARE(ids(taskbarApps(inputs)), expected);
    }

    void ownWindowsItemCarriesTheTitle()
    {
        BarInputs inputs;
        inputs.otherVelmoraWindowTitle = QString("Window 2");
        const QList<AppItem> bar = taskbarApps(inputs);
        QCOMPARE(bar.size(), 1);
        QCOMPARE(
            bar.first(), (AppItem { "velmora-windows", "Window 2", std::nullopt, std::nullopt, true, std::nullopt }));
    }

    void dragOrderKeepsRememberedIds()
    {
        const QList<AppItem> bar { app("a", "A"), app("b", "B"), app("c", "C") };
        // The dragged arrangement first, the rest of the bar, then ids of absent apps.
        QCOMPARE(reorderedTaskbarOrder({ "c", "a", "c" }, bar, { "quit.app", "b", "a", "other.app" }),
            QStringList({ "c", "a", "b", "quit.app", "other.app" }));
    }

    void pinsFollowTheBar()
    {
        const QList<AppItem> pins { app("a", "A"), app("hidden1", "H1"), app("b", "B"), app("hidden2", "H2") };
        const QList<AppItem> bar { app("b", "B"), app("x", "X"), app("a", "A") };
        QCOMPARE(ids(pinsInBarOrder(pins, bar)), QStringList({ "b", "a", "hidden1", "hidden2" }));
    }

    void startPinReorder_data()
    {
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty keeps the order") << QStringList {} << QStringList { "a", "b", "c" };
        QTest::newRow("repeats and unknown ids") << QStringList { "b", "x", "b" } << QStringList { "b", "a", "c" };
        QTest::newRow("full order") << QStringList { "c", "b", "a" } << QStringList { "c", "b", "a" };
    }
    void startPinReorder()
    {
        QFETCH(QStringList, order);
        QFETCH(QStringList, expected);
        const QList<AppItem> pins { app("a", "A"), app("b", "B"), app("c", "C") };
        QCOMPARE(ids(reorderedStartPins(pins, order)), expected);
    }

    void recentList_data()
    {
        QTest::addColumn<QStringList>("recents");
        QTest::addColumn<QString>("activated");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("newest first") << QStringList { "a", "b" } << "c" << QStringList { "c", "a", "b" };
        QTest::newRow("moves to front") << QStringList { "a", "b", "c" } << "b" << QStringList { "b", "a", "c" };
        QTest::newRow("same again changes nothing") << QStringList { "a", "b" } << "a" << QStringList { "a", "b" };
        QTest::newRow("sixth drops the oldest")
            << QStringList { "e", "d", "c", "b", "a" } << "f" << QStringList { "f", "e", "d", "c", "b" };
        QTest::newRow("stored repeats and overlong list are cleaned")
            << QStringList { "a", "b", "a", "c", "d", "e", "g" } << "f" << QStringList { "f", "a", "b", "c", "d" };
    }
    void recentList()
    {
        QFETCH(QStringList, recents);
        QFETCH(QString, activated);
        QFETCH(QStringList, expected);
        QCOMPARE(recentsAfterActivation(recents, activated), expected);
    }

    void recentCandidatesTopUpFromRunningApps()
    {
        QList<AppItem> runningApps;
        for (const char *id : { "r1", "r2", "r3", "r4", "r5", "r6" })
            runningApps << running(id, id);
        QCOMPARE(recentCandidates({}, runningApps), QStringList({ "r1", "r2", "r3", "r4", "r5" }));
        QCOMPARE(recentCandidates({ "r3", "x", "r3" }, runningApps), QStringList({ "r3", "x", "r1", "r2", "r4" }));
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("only spaces shows everything") << "  \t\n"
                                                      << QStringList { "com.apple.Safari", "org.safe", "org.x" };
        QTest::newRow("case-insensitive") << " safari " << QStringList { "com.apple.Safari" };
        QTest::newRow("substring in order") << "SAF" << QStringList { "com.apple.Safari", "org.safe" };
        QTest::newRow("bundle identifiers are not searched") << "apple" << QStringList {};
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const QList<AppItem> installed { app("com.apple.Safari", "Safari"), app("org.safe", "Safe Keeper"),
            app("org.x", "X") };
        QCOMPARE(ids(searchResults(installed, text)), expected);
    }

    void pinMatching()
    {
        const AppItem pin = app("com.example.a", "A");
        AppItem sameBundleOtherID = running("com.example.a", "A");
        sameBundleOtherID.id = "/Applications/A.app";
        QVERIFY(matchesPin(pin, sameBundleOtherID));
        // Without a bundle identifier the id decides; pins without one never match an app that has one.
        const AppItem noBundle { "/Applications/B.app", "B", std::nullopt, std::nullopt, false, std::nullopt };
        QVERIFY(matchesPin(noBundle, noBundle));
        QVERIFY(!matchesPin(noBundle, app("/Applications/B.app", "B")));
        QCOMPARE(pinFor(sameBundleOtherID),
            (AppItem { "com.example.a", "A", QString("com.example.a"), std::nullopt, false, std::nullopt }));
    }

    void settingValuesParseExactly_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("isSortOrder");
        QTest::addColumn<bool>("known");
        QTest::newRow("lastUsed") << "lastUsed" << true << true;
        QTest::newRow("fixed") << "fixed" << true << true;
        QTest::newRow("Fixed") << "Fixed" << true << false;
        QTest::newRow("empty order") << "" << true << false;
        QTest::newRow("right") << "right" << false << true;
        QTest::newRow("Center") << "Center" << false << false;
    }
    void settingValuesParseExactly()
    {
        QFETCH(QString, raw);
        QFETCH(bool, isSortOrder);
        QFETCH(bool, known);
        if (isSortOrder) {
            const auto order = windowPreviewSortOrder(raw);
            QCOMPARE(order.has_value(), known);
            if (order)
                QCOMPARE(rawValue(*order), raw);
        } else {
            const auto alignment = taskbarButtonAlignment(raw);
            QCOMPARE(alignment.has_value(), known);
            if (alignment)
                QCOMPARE(rawValue(*alignment), raw);
        }
    }
};

QTEST_GUILESS_MAIN(TestAppLists)
#include "tst_applists.moc"
