#include "services/dockposition.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Test::ServicesWorld;

namespace {

struct PositionWorld : ServicesWorld
{
    Sim::SimApplicationPreferences &preferences = platform.applicationPreferences;
    // Each restart: what was started, and whether the preferences had been
    // written out just before.
    QStringList restarts;
    DockPosition position { preferences, [this](const QString &program, const QStringList &arguments) {
                               const QList<Sim::SimRequest> log = desktop.requests();
                               const bool synchronized = !log.isEmpty()
                                   && log.last().operation == Sim::SimOperations::SynchronizePreferences;
                               restarts << program + ' ' + arguments.join(' ') + (synchronized ? " after sync" : "");
                               return true;
                           } };

    QVariant stored(const QString &key) const { return desktop.preference("com.apple.dock", key); }
    void store(const QString &key, const QVariant &value) { desktop.setPreference("com.apple.dock", key, value); }
};

} // namespace

class TestDockPosition : public QObject
{
    Q_OBJECT
private slots:
    void edgesHaveTheirRawValues()
    {
        QCOMPARE(DockEdges::allCases(), (QList<DockEdge> { DockEdge::left, DockEdge::bottom, DockEdge::right }));
        for (DockEdge edge : DockEdges::allCases())
            QCOMPARE(DockEdges::fromRawValue(DockEdges::rawValue(edge)), edge);
        QVERIFY(!DockEdges::fromRawValue("Left"));
    }

    void readsPreferencesOfEveryType_data()
    {
        QTest::addColumn<QVariant>("orientation");
        QTest::addColumn<QVariant>("autohide");
        QTest::addColumn<QString>("edge");
        QTest::addColumn<bool>("hides");

        QTest::newRow("absent") << QVariant() << QVariant() << "bottom" << false;
        QTest::newRow("left, hiding") << QVariant("left") << QVariant(true) << "left" << true;
        QTest::newRow("right, not hiding") << QVariant("right") << QVariant(false) << "right" << false;
        QTest::newRow("top is no Dock edge") << QVariant("top") << QVariant("true") << "bottom" << false;
        QTest::newRow("capitals") << QVariant("Left") << QVariant(1) << "bottom" << false;
        QTest::newRow("numbers") << QVariant(2) << QVariant(1.0) << "bottom" << false;
        QTest::newRow("lists") << QVariant(QVariantList { "left" }) << QVariant(QVariantList { true }) << "bottom"
                               << false;
        QTest::newRow("dictionaries") << QVariant(QVariantMap { { "edge", "left" } }) << QVariant(QVariantMap {})
                                      << "bottom" << false;
    }
    void readsPreferencesOfEveryType()
    {
        QFETCH(QVariant, orientation);
        QFETCH(QVariant, autohide);
        QFETCH(QString, edge);
        QFETCH(bool, hides);

        PositionWorld world;
        world.store("orientation", orientation);
        world.store("autohide", autohide);
        QCOMPARE(DockEdges::rawValue(world.position.current()), edge);
        QCOMPARE(world.position.isAutohideEnabled(), hides);
        // Every read picks up what others wrote.
        QCOMPARE(world.callsTo(Sim::SimOperations::SynchronizePreferences), 2);
    }

    void movesTheDockAndRestartsIt()
    {
        PositionWorld world;
        world.position.move(DockEdge::left, false);
        QCOMPARE(world.stored("orientation"), QVariant("left"));
        QVERIFY(!world.stored("autohide").isValid());
        QCOMPARE(world.restarts, QStringList { "/usr/bin/killall Dock after sync" });

        world.position.move(DockEdge::right, true);
        QCOMPARE(world.stored("orientation"), QVariant("right"));
        QCOMPARE(world.stored("autohide"), QVariant(true));

        // Hiding is never turned off by a move.
        world.position.move(DockEdge::bottom, false);
        QCOMPARE(world.stored("autohide"), QVariant(true));
        QCOMPARE(world.restarts.size(), 3);
    }

    void enablesHidingAndRestarts()
    {
        PositionWorld world;
        world.store("orientation", "left");
        world.position.enableAutohide();
        QCOMPARE(world.stored("autohide"), QVariant(true));
        QCOMPARE(world.stored("orientation"), QVariant("left"));
        QCOMPARE(world.restarts, QStringList { "/usr/bin/killall Dock after sync" });
    }

    void withoutALauncherNothingIsStarted()
    {
        PositionWorld world;
        DockPosition position(world.preferences, {});
        position.move(DockEdge::left, true);
        QCOMPARE(world.stored("orientation"), QVariant("left"));
        QVERIFY(world.restarts.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDockPosition)
#include "tst_dockposition.moc"
