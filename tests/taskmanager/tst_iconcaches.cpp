#include "platform/sim/scriptedfileicons.h"
#include "platform/sim/simulatedstatistics.h"
#include "processfixtures.h"
#include "store/velmoraicon.h"
#include "taskmanager/model/appiconcache.h"
#include "taskmanager/model/processiconcache.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Test::managedProcess;
using Test::ownPid;

class TestIconCaches : public QObject
{
    Q_OBJECT

    Sim::ScriptedFileIcons m_icons;
    Sim::SimulatedStatistics m_stats;

    void setExecutable(qint32 pid, const std::optional<QString> &path)
    {
        Sim::SimulatedStatistics::Process p;
        p.executable = path;
        m_stats.setProcess(pid, p);
    }

private slots:
    void init()
    {
        m_icons.clearRequests();
        m_icons.setOwnBundlePath(QStringLiteral("/Applications/Velmora.app"));
    }

    void applicationIcons()
    {
        AppIconCache cache(m_icons);
        // No path: the generic symbol, asked for again each time.
        QCOMPARE(cache.icon(std::nullopt).name(), QStringLiteral("gearshape"));
        QCOMPARE(cache.icon(std::nullopt).name(), QStringLiteral("gearshape"));
        QCOMPARE(cache.icon(QStringLiteral("/Applications/Velmora.app/")).name(), VelmoraIcon::iconName);
        QCOMPARE(
            cache.icon(QStringLiteral("/Applications/Mail.app")).name(), QStringLiteral("file:/Applications/Mail.app"));
        cache.icon(QStringLiteral("/Applications/Mail.app"));
        QCOMPARE(m_icons.requests(),
            (QStringList { "symbolImage gearshape", "symbolImage gearshape", "iconForFile /Applications/Mail.app" }));
    }

    // A row asking for a process's icon gets the generic one at once; the
    // process's own is looked up off this thread and arrives later.
    void processIconsArriveLater()
    {
        ProcessIconCache cache(m_icons, nullptr, m_stats, ownPid);
        setExecutable(21, QStringLiteral("/usr/bin/true"));
        QSignalSpy arrived(&cache, &ProcessIconCache::iconArrived);

        QCOMPARE(cache.icon(managedProcess(21)).name(), QStringLiteral("gearshape"));
        QCOMPARE(cache.icon(managedProcess(21)).name(), QStringLiteral("gearshape"));
        QVERIFY(arrived.wait(5000));
        QCOMPARE(arrived.first().first().toString(), ProcessIconCache::key(managedProcess(21)));
        QCOMPARE(cache.icon(managedProcess(21)).name(), QStringLiteral("file:/usr/bin/true"));
        // Asked twice while on its way: looked up once.
        QCOMPARE(m_stats.executablePathReads(21), 1);
        QCOMPARE(arrived.size(), 1);
    }

    void processIcons()
    {
        ProcessIconCache cache(m_icons, nullptr, m_stats, ownPid);
        const auto iconOf = [&cache](const ManagedProcess &process) {
            QSignalSpy arrived(&cache, &ProcessIconCache::iconArrived);
            const QIcon first = cache.icon(process);
            if (arrived.isEmpty() && first.name() == QLatin1String("gearshape"))
                arrived.wait(5000);
            return cache.icon(process).name();
        };
        setExecutable(20, QStringLiteral("/Applications/Outer.app/Contents/Helpers/Inner.app/Contents/MacOS/inner"));
        setExecutable(21, QStringLiteral("/usr/bin/true"));
        setExecutable(22, QStringLiteral("/Applications/Velmora.app/Contents/MacOS/helper"));
        setExecutable(23, std::nullopt);

        QCOMPARE(iconOf(managedProcess(20)), QStringLiteral("file:/Applications/Outer.app"));
        QCOMPARE(iconOf(managedProcess(21)), QStringLiteral("file:/usr/bin/true"));
        QCOMPARE(iconOf(managedProcess(22)), VelmoraIcon::iconName);
        QCOMPARE(iconOf(managedProcess(23)), QStringLiteral("gearshape"));
        QCOMPARE(cache.icon(managedProcess(ownPid)).name(), VelmoraIcon::iconName);

        // Known processes, the fallback included, are not looked up again; a
        // new run of an id is.
        m_icons.clearRequests();
        cache.icon(managedProcess(20));
        cache.icon(managedProcess(23));
        QCOMPARE(m_stats.executablePathReads(20), 1);
        QCOMPARE(m_stats.executablePathReads(23), 1);
        QVERIFY(m_icons.requests().isEmpty());
        iconOf(managedProcess(20, "p", {}, {}, "ada", Test::ownUid, 2'000));
        QCOMPARE(m_stats.executablePathReads(20), 2);
    }
};

QTEST_MAIN(TestIconCaches)
#include "tst_iconcaches.moc"
