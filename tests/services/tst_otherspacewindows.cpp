#include "services/otherspacewindows.h"
#include "services/windowpreviewid.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Sim::SimWindow;
using Velmora::Test::ListingWorld;

namespace {

const QString createWithToken = PrivateFunctions::AXUIElementCreateWithRemoteTokenName;

// An application with a window here and windows on Space 2. Every search
// reaches the window here first, so its element creations count the searches.
struct TwoSpaces : ListingWorld
{
    qint32 pid = addApp("Editor");
    quint32 here = addWindow(pid, { 0, 0, 600, 400 }, "Here", [](SimWindow &w) { w.remoteElementId = 1; });

    int searches() const
    {
        int n = 0;
        for (const auto &r : desktop.requests(createWithToken))
            n += r.detail.toUInt() == here;
        return n;
    }

    quint32 addFarWindow(const QString &title, std::optional<quint64> remoteId = std::nullopt)
    {
        return addWindow(pid, { 100, 100, 600, 400 }, title, [&](SimWindow &w) {
            w.space = 2;
            if (remoteId)
                w.remoteElementId = *remoteId;
        });
    }

    QStringList listedIds()
    {
        QStringList ids;
        for (const auto &item : provider.windows(app(pid)))
            ids << item.id;
        return ids;
    }

    QList<AXElement> ask(const QSet<quint32> &missing)
    {
        return provider.otherSpaceWindows().elements(app(pid), {}, missing, desktop.applicationElement(pid));
    }

    int roleReads() const
    {
        int n = 0;
        for (const auto &r : desktop.requests(Sim::SimOperations::CopyAttributeValue))
            n += r.pid == pid && r.name == QLatin1String("AXRole");
        return n;
    }
};

} // namespace

class TestOtherSpaceWindows : public QObject
{
    Q_OBJECT
private slots:
    void remoteTokenLayout()
    {
        const QByteArray token = OtherSpaceWindows::remoteToken(412, 0x0102030405060708ULL);
        QCOMPARE(token.size(), 20);
        QCOMPARE(token.toHex(' '), QByteArray("9c 01 00 00 00 00 00 00 6f 63 6f 63 08 07 06 05 04 03 02 01"));
        // A negative pid keeps its two's-complement bytes.
        QCOMPARE(OtherSpaceWindows::remoteToken(-2, 0).left(4).toHex(), QByteArray("feffffff"));
    }

    void foundOnceThenServedFromWhatWasFound()
    {
        TwoSpaces world;
        const quint32 far = world.addFarWindow("Far away");
        const QString hereId = WindowPreviewId::forWindow(world.pid, world.here);
        const QString farId = WindowPreviewId::forWindow(world.pid, far);

        // The first listing starts the search and does not wait for it.
        QCOMPARE(world.listedIds(), QStringList { hereId });
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(world.listedIds(), (QStringList { hereId, farId }));
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));
        QCOMPARE(world.searches(), 1);
    }

    void missingFunctionsFindNothing_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("main connection") << QString(PrivateFunctions::SLSMainConnectionIDName);
        QTest::newRow("spaces of windows") << QString(PrivateFunctions::SLSCopySpacesForWindowsName);
        QTest::newRow("element from token") << createWithToken;
    }
    void missingFunctionsFindNothing()
    {
        QFETCH(QString, missing);
        TwoSpaces world;
        world.desktop.setPrivateFunctionAvailable(missing, false);
        world.addFarWindow("Far away");
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(world.listedIds(), QStringList { WindowPreviewId::forWindow(world.pid, world.here) });
            QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));
        }
        QCOMPARE(world.callsTo(createWithToken), 0);
    }

    void ownProcessIsNeverSearched()
    {
        TwoSpaces world;
        const quint32 far = world.addFarWindow("Far away");
        RunningApplication self;
        self.processIdentifier = world.desktop.selfPid();
        QVERIFY(world.provider.otherSpaceWindows()
                    .elements(self, {}, { far }, world.desktop.applicationElement(self.processIdentifier))
                    .isEmpty());
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));
        QCOMPARE(world.callsTo(createWithToken), 0);
    }

    void finishedSearchIsNotRepeatedForTheSameWindows()
    {
        TwoSpaces world;
        const quint32 found = world.addFarWindow("Found");
        // No identifier below the probe limit reaches this one.
        const quint32 unreachable = world.addFarWindow("Unreachable", OtherSpaceWindows::identifierLimit + 5);
        const quint32 later = world.addFarWindow("Later");
        auto &spaces = world.provider.otherSpaceWindows();

        QVERIFY(world.ask({ found, unreachable }).isEmpty());
        QVERIFY(spaces.waitForSearches(60000));
        QCOMPARE(world.searches(), 1);

        // Served from what the search found; the unreachable one is not searched again.
        QCOMPARE(world.ask({ found, unreachable }), QList<AXElement> { world.desktop.windowElement(found) });
        QVERIFY(world.ask({ unreachable }).isEmpty());
        QVERIFY(spaces.waitForSearches(60000));
        QCOMPARE(world.searches(), 1);

        // A window outside the last search starts a new one.
        world.ask({ unreachable, later });
        QVERIFY(spaces.waitForSearches(60000));
        QCOMPARE(world.searches(), 2);
        QCOMPARE(world.ask({ later }), QList<AXElement> { world.desktop.windowElement(later) });
    }

    void hungApplicationCannotHoldTheSearchPastItsDeadline()
    {
        TwoSpaces world;
        // Windows the probe reaches first, each costing a messaging time-out
        // once the application stops answering; the wanted one lies beyond.
        for (quint64 id = 0; id < 200; ++id)
            world.addFarWindow(QString("Decoy %1").arg(id), id);
        const quint32 wanted = world.addFarWindow("Wanted", 250000);
        world.desktop.setHung(world.pid, true);

        QVERIFY(world.ask({ wanted }).isEmpty());
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(60000));

        const auto hits = world.desktop.requests(createWithToken);
        QVERIFY(!hits.isEmpty());
        const qint64 searchTime = world.clock.monotonicMs() - hits.first().atMs;
        const qint64 probeCost = qint64(OtherSpaceWindows::probeMessagingTimeoutSeconds * 1000);
        QVERIFY2(
            searchTime <= OtherSpaceWindows::searchDeadlineMs + probeCost, qPrintable(QString::number(searchTime)));
        QVERIFY(hits.size() < 200);
        QCOMPARE(world.roleReads(), int(hits.size()));
    }

    void endedProcessIsForgottenButNotItsSuccessor()
    {
        TwoSpaces world;
        const quint32 oldFar = world.addFarWindow("Old far");
        world.listedIds();
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));

        // The process ends and a new launch takes its pid before the news of
        // the end arrives.
        world.desktop.killProcess(world.pid);
        Sim::SimProcess successor;
        successor.pid = world.pid;
        successor.name = "Successor";
        successor.launchDateMs = world.clock.wallClockMs() + 1;
        QCOMPARE(world.desktop.addProcess(successor), world.pid);
        world.here
            = world.addWindow(world.pid, { 0, 0, 600, 400 }, "Here", [](SimWindow &w) { w.remoteElementId = 7; });
        const quint32 far = world.addFarWindow("New far", 8);
        const QString hereId = WindowPreviewId::forWindow(world.pid, world.here);
        const QString farId = WindowPreviewId::forWindow(world.pid, far);

        QCOMPARE(world.listedIds(), QStringList { hereId });
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));
        QCOMPARE(world.listedIds(), (QStringList { hereId, farId }));
        QCOMPARE(world.searches(), 1);

        // The old launch's end, announced late, leaves the successor's windows alone.
        world.clock.advance(0);
        QCOMPARE(world.listedIds(), (QStringList { hereId, farId }));
        QVERIFY(world.provider.otherSpaceWindows().waitForSearches(10000));
        QCOMPARE(world.searches(), 1);
        QVERIFY(!world.listedIds().contains(WindowPreviewId::forWindow(world.pid, oldFar)));
    }

    void elementsOfWindowsNoLongerWantedAreDropped()
    {
        TwoSpaces world;
        const quint32 far = world.addFarWindow("Far");
        auto &spaces = world.provider.otherSpaceWindows();
        world.ask({ far });
        QVERIFY(spaces.waitForSearches(10000));
        QCOMPARE(world.ask({ far }), QList<AXElement> { world.desktop.windowElement(far) });

        // A listing in which the window is no longer missing (closed, say)
        // forgets its element; asking again means searching again.
        QVERIFY(world.ask({}).isEmpty());
        QVERIFY(world.ask({ far }).isEmpty());
        QVERIFY(spaces.waitForSearches(10000));
        QCOMPARE(world.searches(), 1);
    }
};

QTEST_GUILESS_MAIN(TestOtherSpaceWindows)
#include "tst_otherspacewindows.moc"
