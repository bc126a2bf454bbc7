#include "services/dockpinnedapps.h"

#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"

#include <QTest>

using namespace Velmora;

namespace {

QVariantMap tile(const QVariant &bundleIdentifier)
{
    return QVariantMap { { "tile-data", QVariantMap { { "bundle-identifier", bundleIdentifier } } } };
}

} // namespace

class TestDockPinnedApps : public QObject
{
    Q_OBJECT
private slots:
    void readsPersistentApps_data()
    {
        QTest::addColumn<QVariant>("persistentApps");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("absent") << QVariant() << QStringList();
        QTest::newRow("not a list") << QVariant("com.apple.Safari") << QStringList();
        QTest::newRow("an entry that is not a dictionary spoils the list")
            << QVariant(QVariantList { tile("com.apple.Safari"), 42 }) << QStringList();
        QTest::newRow("Finder alone") << QVariant(QVariantList { tile("com.apple.finder") }) << QStringList();
        QTest::newRow("launchers alone") << QVariant(
            QVariantList { tile("com.apple.apps.launcher"), tile("com.apple.launchpad.launcher") })
                                         << QStringList();
        QTest::newRow("Finder goes first")
            << QVariant(QVariantList { tile("com.apple.Safari"), tile("com.apple.finder") })
            << QStringList { "com.apple.finder", "com.apple.Safari" };
        QTest::newRow("repeats, own app, malformed tiles") << QVariant(
            QVariantList { tile("com.apple.mail"), tile("org.velmora.Velmora"), tile(7),
                QVariantMap { { "tile-data", "x" } }, QVariantMap {}, tile("com.apple.mail"),
                tile("com.apple.Notes") }) << QStringList { "com.apple.finder", "com.apple.mail", "com.apple.Notes" };
    }
    void readsPersistentApps()
    {
        QFETCH(QVariant, persistentApps);
        QFETCH(QStringList, expected);
        QCOMPARE(DockPinnedApps::bundleIdentifiers(persistentApps, QString("org.velmora.Velmora")), expected);
    }

    void readsTheDockDomain()
    {
        Sim::VirtualClock clock;
        Sim::SimPlatform platform(clock);
        platform.applicationPreferences.setValue(
            "persistent-apps", QVariantList { tile("com.apple.Safari") }, "com.apple.dock");
        QCOMPARE(DockPinnedApps::bundleIdentifiers(platform.applicationPreferences, std::nullopt),
            QStringList({ "com.apple.finder", "com.apple.Safari" }));
    }
};

QTEST_GUILESS_MAIN(TestDockPinnedApps)
#include "tst_dockpinnedapps.moc"
