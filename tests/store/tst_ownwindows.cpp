#include "platform/sim/simoperations.h"
#include "store/ownwindows.h"
#include "clicksworld.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

struct Fixture : Test::ClicksWorld
{
    std::unique_ptr<TaskbarStore> store = makeStore();
    OwnWindows &own = store->ownWindows();

    // One of the product's own windows, mirrored on the desktop, in front.
    OwnWindowsHost::Window addOwnWindow(const QString &title)
    {
        OwnWindowState state;
        state.title = title;
        state.frame = QRectF(200, 200, 600, 500);
        return OwnWindowsHost::Window { platform.ownWindows.addWindow(state), true, false };
    }
};

} // namespace

class TestOwnWindows : public QObject
{
    Q_OBJECT
private slots:
    // The settings window: created once, by the settings command only, then
    // shown in front; the bar's button miniaturizes it while it is in front.
    void settingsWindow()
    {
        Fixture f;
        f.store->handleTaskbarClick(AppItem::velmoraSettings(), 1);
        f.own.showSettingsWindow();
        QCOMPARE(f.ownWindows.calls, QStringList());
        QVERIFY(!f.store->isSettingsWindowOpen());

        f.own.openSettings();
        QCOMPARE(f.ownWindows.calls, QStringList({ "create settings", "activate", "show 90" }));
        QVERIFY(f.store->isSettingsWindowOpen());
        f.own.openSettings();
        QCOMPARE(f.ownWindows.calls.count("create settings"), 1);

        f.ownWindows.settings = f.addOwnWindow("Velmora Settings");
        f.ownWindows.calls.clear();
        f.store->handleTaskbarClick(AppItem::velmoraSettings(), 1);
        QCOMPARE(f.ownWindows.calls, QStringList({ QString("miniaturize %1").arg(f.ownWindows.settings->number) }));
    }

    // "velmora-windows": the first own window in front is miniaturized; with
    // none in front, all of them come forward.
    void togglesTheOtherOwnWindows()
    {
        Fixture f;
        const auto first = f.addOwnWindow("Notes");
        const auto second = f.addOwnWindow("About");
        f.ownWindows.others = { first, second };
        f.store->handleTaskbarClick(AppItem { AppItem::ownWindowsID, "Velmora", {}, {}, true, {} }, 1);
        QCOMPARE(f.ownWindows.calls, QStringList({ QString("miniaturize %1").arg(second.number) }));

        f.ownWindows.calls.clear();
        f.addWindow(f.addApp("Alpha"), QRectF(100, 100, 800, 600), "Over them");
        f.store->handleTaskbarClick(AppItem { AppItem::ownWindowsID, "Velmora", {}, {}, true, {} }, 1);
        QCOMPARE(f.ownWindows.calls,
            QStringList({ "activate", QString("show %1").arg(first.number), QString("show %1").arg(second.number) }));
    }

    // The shared button's title follows the windows once their change has
    // completed, and is published only when it changes.
    void followsTheOwnWindowsTitle()
    {
        Test::ClicksWorld world;
        world.ownWindows.othersTitle = "Notes";
        const auto store = world.makeStore(true);
        QCOMPARE(store->otherVelmoraWindowTitle(), std::optional<QString>("Notes"));
        QSignalSpy changed(store.get(), &TaskbarStore::otherVelmoraWindowTitleChanged);
        world.ownWindows.othersTitle = std::nullopt;
        world.ownWindows.changed();
        QCOMPARE(changed.size(), 0);
        world.clock.runPending();
        QCOMPARE(store->otherVelmoraWindowTitle(), std::nullopt);
        world.ownWindows.changed();
        world.clock.runPending();
        QCOMPARE(changed.size(), 1);
    }

    // Restarting: the same program with the same arguments once this
    // process has gone, then this one ends; when that cannot be arranged,
    // a beep and the bar keeps running.
    void relaunches_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("relaunched") << false;
        QTest::newRow("refused") << true;
    }
    void relaunches()
    {
        QFETCH(bool, refused);
        Fixture f;
        if (refused)
            f.desktop.injectFailure(SimFailure::on(SimOperations::Relaunch));
        f.own.relaunchApp();
        const QList<SimRequest> requests = f.desktop.requests(SimOperations::Relaunch);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().name, QCoreApplication::applicationFilePath());
        QCOMPARE(requests.first().detail.toList().first().toLongLong(), QCoreApplication::applicationPid());
        QCOMPARE(f.ownWindows.calls, QStringList({ refused ? "beep" : "terminate" }));
    }
};

QTEST_GUILESS_MAIN(TestOwnWindows)
#include "tst_ownwindows.moc"
