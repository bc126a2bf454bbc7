#include "platform/linux/procstatistics.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "support/testsupport.h"
#include "taskmanager/sampling/processnetworkreader.h"
#include "taskmanager/sampling/systemsampler.h"

#include <QDir>
#include <QTest>

#include <unistd.h>

using namespace Velmora;
using Velmora::Test::writeFile;

// The sampler over a procfs and sysfs fixture tree: the units of every source
// (ticks, sectors, kilobytes, process ticks, boot time) meet here.
class TestSamplerFixtures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    // The machine after `second` seconds: busy half of the time, a disk and a
    // link moving bytes, and one process using half a processor.
    bool writeMachine(int second)
    {
        const quint64 ticksPerSecond = quint64(::sysconf(_SC_CLK_TCK));
        const quint64 busy = 400 + 200 * quint64(second);
        const quint64 idle = 4000 + 200 * quint64(second);
        const QByteArray cpu = QStringLiteral("cpu  %1 0 0 %2 0 0 0 0 0 0\n").arg(busy).arg(idle).toLatin1();
        const QByteArray processTicks = QByteArray::number(ticksPerSecond * 10 + ticksPerSecond / 2 * quint64(second));
        return writeFile(m_root, "proc/stat",
                   cpu
                       + "cpu0 1 0 0 1 0 0 0 0 0 0\ncpu1 1 0 0 1 0 0 0 0 0 0\n"
                         "cpu2 1 0 0 1 0 0 0 0 0 0\ncpu3 1 0 0 1 0 0 0 0 0 0\nbtime 1700000000\n")
            && writeFile(m_root, "proc/meminfo", "MemTotal: 1000 kB\nMemAvailable: 600 kB\n")
            && writeFile(m_root, "proc/diskstats",
                " 253 0 vda 0 0 " + QByteArray::number(8 * second) + " 0 0 0 " + QByteArray::number(16 * second)
                    + " 0 0 0 0\n")
            && writeFile(m_root, "proc/net/dev",
                "h1\nh2\n  eth0: " + QByteArray::number(1000 * second) + " 0 0 0 0 0 0 0 "
                    + QByteArray::number(100 * second) + " 0 0 0 0 0 0 0\n")
            && writeFile(m_root, "proc/42/stat",
                "42 (worker) S 1 42 42 0 -1 0 0 0 0 0 " + processTicks + " 0 0 0 20 0 1 0 100 0 25 0\n")
            && writeFile(m_root, "proc/42/status", "Name:\tworker\nUid:\t54321\t54321\t54321\t54321\n")
            && writeFile(
                m_root, "proc/42/io", "read_bytes: " + QByteArray::number(5000 * second) + "\nwrite_bytes: 0\n");
    }

private slots:
    void twoMeasurements()
    {
        QVERIFY(QDir(m_root.path()).mkpath("sys/block/vda/device"));
        QVERIFY(QDir(m_root.path()).mkpath("sys/class/net/eth0/device"));
        QVERIFY(writeFile(m_root, "sys/class/net/eth0/type", "1\n"));
        QVERIFY(writeMachine(0));

        Sim::VirtualClock clock;
        Sim::SimulatedTerminalLauncher terminals;
        Linux::ProcStatistics statistics(m_root.filePath("proc"), m_root.filePath("sys"));
        SystemSampler sampler(statistics, clock,
            std::make_unique<ProcessNetworkReader>(terminals, clock, ProcessNetworkReader::Command { "tool", {}, {} }));
        const SystemSample first = sampler.sample(true);
        QVERIFY(!first.cpu && !first.diskRead && !first.download);
        QCOMPARE(first.processes.size(), 1);
        QVERIFY(!first.processes.first().cpu);

        QVERIFY(writeMachine(2));
        clock.advance(2000);
        const SystemSample second = sampler.sample(true);
        QCOMPARE(second.cpu, std::optional(50.0));
        QCOMPARE(second.memory, std::optional(40.0));
        QCOMPARE(second.memoryUsed, 400u * 1024);
        QCOMPARE(second.diskRead, std::optional(8.0 * 512));
        QCOMPARE(second.diskWrite, std::optional(16.0 * 512));
        QCOMPARE(second.download, std::optional(1000.0));
        QCOMPARE(second.upload, std::optional(100.0));

        const ManagedProcess &worker = second.processes.first();
        QCOMPARE(worker.name, QStringLiteral("worker"));
        QCOMPARE(worker.owner, QStringLiteral("54321"));
        QCOMPARE(worker.cpu, std::optional(12.5)); // half a processor of four
        QCOMPARE(worker.started, 1'700'000'000'000'000ull + 100ull * 1'000'000 / quint64(::sysconf(_SC_CLK_TCK)));
        QCOMPARE(second.top.disk, (QList { AppUsage { "worker", {}, {}, 5000 } }));
    }
};

QTEST_GUILESS_MAIN(TestSamplerFixtures)
#include "tst_samplerfixtures.moc"
