#include "platform/sim/simulatedstatistics.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "support/testsupport.h"
#include "taskmanager/sampling/processmetadataresolver.h"
#include "taskmanager/sampling/processnetworkreader.h"
#include "taskmanager/sampling/systemsampler.h"

#include <QTest>

#include <cstdlib>
#include <new>

using namespace Velmora;
using Sim::SimulatedStatistics;
using OptionalDouble = std::optional<double>;
using Counters = QHash<QString, ByteCounters>;
using RatePair = std::optional<std::pair<double, double>>;

namespace {

// Counts what this thread allocates with new and new[], which is how hash
// tables get their storage.
thread_local qint64 allocations = 0;

} // namespace

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void *operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void *block) noexcept
{
    std::free(block);
}

void operator delete(void *block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void *block) noexcept
{
    std::free(block);
}

void operator delete[](void *block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

SimulatedStatistics::Process process(quint64 started, std::optional<quint64> ticks, const QString &name = "proc",
    quint32 uid = 501, std::optional<quint64> disk = std::nullopt, std::optional<QString> exe = std::nullopt)
{
    SimulatedStatistics::Process p;
    p.statistics.identity.started = started;
    p.statistics.identity.uid = uid;
    p.statistics.name = name;
    p.statistics.cpuTicks = ticks;
    p.statistics.memory = 4096;
    p.statistics.diskBytes = disk;
    p.executable = std::move(exe);
    return p;
}

const ManagedProcess *findProcess(const SystemSample &sample, qint32 pid)
{
    for (const ManagedProcess &p : sample.processes) {
        if (p.id == pid)
            return &p;
    }
    return nullptr;
}

} // namespace

class TestSystemSampler : public QObject
{
    Q_OBJECT

    Sim::VirtualClock m_clock;
    std::unique_ptr<SimulatedStatistics> m_statsHolder;
    SimulatedStatistics *m_stats = nullptr;
    Sim::SimulatedTerminalLauncher m_terminals;
    ProcessNetworkReader *m_reader = nullptr;
    std::unique_ptr<SystemSampler> m_sampler;

private slots:
    void init()
    {
        m_sampler.reset();
        m_statsHolder = std::make_unique<SimulatedStatistics>();
        m_stats = m_statsHolder.get();
        auto reader = std::make_unique<ProcessNetworkReader>(
            m_terminals, m_clock, ProcessNetworkReader::Command { "tool", {}, QString() });
        m_reader = reader.get();
        m_sampler = std::make_unique<SystemSampler>(*m_stats, m_clock, std::move(reader));
    }

    void cleanup() { m_sampler.reset(); }

    void hostCpu_data()
    {
        QTest::addColumn<CpuTicks>("before");
        QTest::addColumn<std::optional<CpuTicks>>("after");
        QTest::addColumn<OptionalDouble>("cpu");

        QTest::newRow("half busy") << CpuTicks { 100, 50, 800, 50 } << std::optional(CpuTicks { 160, 70, 900, 70 })
                                   << OptionalDouble(50.0);
        // A 32-bit counter that wrapped still gives the small true difference.
        QTest::newRow("wrapped ticks") << CpuTicks { 0xFFFFFFF0u, 0, 0xFFFFFFF0u, 0 }
                                       << std::optional(CpuTicks { 0x10, 0, 0x10, 0 }) << OptionalDouble(50.0);
        QTest::newRow("all idle") << CpuTicks { 1, 1, 1, 1 } << std::optional(CpuTicks { 1, 1, 101, 1 })
                                  << OptionalDouble(0.0);
        QTest::newRow("no tick passed") << CpuTicks { 1, 1, 1, 1 } << std::optional(CpuTicks { 1, 1, 1, 1 })
                                        << OptionalDouble();
        QTest::newRow("unreadable") << CpuTicks { 1, 1, 1, 1 } << std::optional<CpuTicks>() << OptionalDouble();
    }

    void hostCpu()
    {
        QFETCH(CpuTicks, before);
        QFETCH(std::optional<CpuTicks>, after);
        QFETCH(OptionalDouble, cpu);
        m_stats->setCpuTicks(before);
        QVERIFY(!m_sampler->sample(false).cpu); // nothing to compare the first one with
        m_stats->setCpuTicks(after);
        m_clock.advance(1000);
        QCOMPARE(m_sampler->sample(false).cpu, cpu);
    }

    void memory()
    {
        m_stats->setMemory(MemoryStatistics { 1000, 250 });
        SystemSample sample = m_sampler->sample(false);
        QCOMPARE(sample.memoryUsed, 250u);
        QCOMPARE(sample.memory, OptionalDouble(25.0));
        m_stats->setMemory(MemoryStatistics { 1000, 2000 });
        QCOMPARE(m_sampler->sample(false).memory, OptionalDouble(100.0));
        m_stats->setMemory(std::nullopt);
        sample = m_sampler->sample(false);
        QCOMPARE(sample.memoryUsed, 0u);
        QVERIFY(!sample.memory);
    }

    void counterRates_data()
    {
        QTest::addColumn<Counters>("previous");
        QTest::addColumn<Counters>("current");
        QTest::addColumn<RatePair>("rates");

        QTest::newRow("two devices add up")
            << Counters { { "a", { 0, 0 } }, { "b", { 100, 0 } } }
            << Counters { { "a", { 200, 20 } }, { "b", { 300, 40 } } } << RatePair({ 200, 30 });
        QTest::newRow("a wrapped counter sits out")
            << Counters { { "a", { 4'294'967'000, 0 } }, { "b", { 0, 0 } } }
            << Counters { { "a", { 100, 50 } }, { "b", { 20, 20 } } } << RatePair({ 10, 10 });
        QTest::newRow("nothing contributes: absent, not 0")
            << Counters { { "a", { 500, 0 } } } << Counters { { "a", { 100, 50 } }, { "new", { 10, 10 } } }
            << RatePair();
        QTest::newRow("no devices") << Counters {} << Counters {} << RatePair();
    }

    void counterRates()
    {
        QFETCH(Counters, previous);
        QFETCH(Counters, current);
        QFETCH(RatePair, rates);
        QCOMPARE(SystemSampler::rates(current, previous, 2.0), rates);
    }

    void ratesNeedTimeToPass()
    {
        m_stats->setNetworkCounters({ { "eth0", { 0, 0 } } });
        m_stats->setDiskCounters({ { "sda", { 0, 0 } } });
        QVERIFY(!m_sampler->sample(false).download);
        m_stats->setNetworkCounters({ { "eth0", { 100, 10 } } });
        m_stats->setDiskCounters({ { "sda", { 100, 10 } } });
        SystemSample sample = m_sampler->sample(false); // 0 s later
        QVERIFY(!sample.download && !sample.upload && !sample.diskRead && !sample.diskWrite);
        m_stats->setNetworkCounters({ { "eth0", { 300, 30 } } });
        m_clock.advance(2000);
        sample = m_sampler->sample(false);
        QCOMPARE(sample.download, OptionalDouble(100.0));
        QCOMPARE(sample.upload, OptionalDouble(10.0));
    }

    void processCpu_data()
    {
        QTest::addColumn<quint64>("ticksAfter");
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<OptionalDouble>("cpu");

        // 4 processors, 10 ms ticks, 1,000 ticks to start with.
        QTest::newRow("an eighth of the machine") << quint64(1050) << qint64(1000) << OptionalDouble(12.5);
        QTest::newRow("over two seconds") << quint64(1050) << qint64(2000) << OptionalDouble(6.25);
        QTest::newRow("clamped at 100") << quint64(2000) << qint64(1000) << OptionalDouble(100.0);
        QTest::newRow("ticks went back") << quint64(900) << qint64(1000) << OptionalDouble();
        QTest::newRow("no time passed") << quint64(1050) << qint64(0) << OptionalDouble();
    }

    void processCpu()
    {
        QFETCH(quint64, ticksAfter);
        QFETCH(qint64, elapsedMs);
        QFETCH(OptionalDouble, cpu);
        m_stats->setProcess(7, process(1'000, 1000));
        QVERIFY(!findProcess(m_sampler->sample(true), 7)->cpu);
        m_stats->setProcess(7, process(1'000, ticksAfter));
        m_clock.advance(elapsedMs);
        QCOMPARE(findProcess(m_sampler->sample(true), 7)->cpu, cpu);
    }

    void reusedPidStartsOver()
    {
        QTemporaryDir dir;
        QVERIFY(Test::writeFile(dir, "Old.app/Contents/MacOS/old", "x"));
        QVERIFY(Test::writeFile(dir, "bin/new", "x"));
        m_stats->setProcess(9, process(1'000, 100, "old", 501, 1000, dir.filePath("Old.app/Contents/MacOS/old")));
        m_sampler->sample(true);
        m_stats->setProcess(9, process(1'000, 150, "old", 501, 3000, dir.filePath("Old.app/Contents/MacOS/old")));
        m_clock.advance(1000);
        SystemSample sample = m_sampler->sample(true);
        QVERIFY(findProcess(sample, 9)->cpu);
        QCOMPARE(sample.top.disk.first().value, 2000.0);
        QCOMPARE(sample.top.disk.first().name, QStringLiteral("Old"));
        QCOMPARE(m_stats->executablePathReads(9), 1); // the identity is cached while the run lasts

        // Same id, another start time: another process altogether.
        m_stats->setProcess(9, process(2'000, 400, "new", 501, 9000, dir.filePath("bin/new")));
        m_clock.advance(1000);
        sample = m_sampler->sample(true);
        QVERIFY(!findProcess(sample, 9)->cpu);
        QVERIFY(sample.top.disk.isEmpty());
        QCOMPARE(m_stats->executablePathReads(9), 2);
        QCOMPARE(sample.top.memory.first(), (AppUsage { "new", {}, dir.filePath("bin/new"), 4096 }));
    }

    void namesAndOwners()
    {
        m_stats->setUserName(501, "ada");
        m_stats->setProcess(3, process(1, 1, "", 501));
        m_stats->setProcess(4, process(1, 1, "daemon", 4242));
        const SystemSample sample = m_sampler->sample(true);
        QCOMPARE(findProcess(sample, 3)->name, QStringLiteral("Process 3"));
        QCOMPARE(findProcess(sample, 3)->owner, QStringLiteral("ada"));
        QCOMPARE(findProcess(sample, 4)->owner, QStringLiteral("4242"));
    }

    // A measurement that finds the processes of the one before updates what
    // it remembers of them in place: what it allocates does not grow with
    // their number, so neither does its cost per process.
    void steadyMeasurementsAllocateAlikeForAnyNumberOfProcesses()
    {
        const auto steadyAllocations = [this](int processes) {
            init();
            for (qint32 pid = 1; pid <= processes; ++pid)
                m_stats->setProcess(pid, process(1, quint64(pid), "proc", 501, quint64(pid)));
            for (int warmUp = 0; warmUp < 3; ++warmUp) {
                m_sampler->sample(true);
                m_clock.advance(1000);
            }
            const qint64 before = allocations;
            const SystemSample sample = m_sampler->sample(true);
            const qint64 made = allocations - before;
            return sample.processes.size() == processes ? made : -1;
        };
        QCOMPARE(steadyAllocations(1000), steadyAllocations(10));
    }

    void withoutProcessesHistoryIsForgotten()
    {
        m_stats->setProcess(7, process(1, 100));
        m_sampler->sample(true);
        m_clock.advance(1000);
        const SystemSample hidden = m_sampler->sample(false);
        QVERIFY(hidden.processes.isEmpty());
        QVERIFY(!hidden.top.isAvailable);
        QVERIFY(!hidden.processNetworkAvailable);
        m_stats->setProcess(7, process(1, 200));
        m_clock.advance(1000);
        const SystemSample shown = m_sampler->sample(true);
        QVERIFY(shown.top.isAvailable);
        QVERIFY(!findProcess(shown, 7)->cpu);
    }

    void networkRowsOfProcessesThatAreNoLongerListed()
    {
        m_stats->setProcess(10, process(1, 1, "browser"));
        const int launches = m_terminals.launchCount();
        const SystemSample first = m_sampler->sample(true);
        m_reader->waitForIdle();
        QCOMPARE(m_terminals.launchCount(), launches + 1);

        // One committed block in the second after the first measurement. Two
        // of its processes ended before we listed them: they keep the tool's
        // name, or a made-up one when it gave none. A name with a line break
        // in it is not a row at all.
        m_clock.advance(1000);
        QVERIFY(m_terminals.write(",\n,\nbrowser.10,600,400,\nupdater.999,3000,0,\n.55,50,0,\n"
                                  "evil\rname.77,9000,0,\n,\n"));
        m_reader->waitForIdle();
        const SystemSample second = m_sampler->sample(true);
        QCOMPARE(second.top.network,
            (QList { AppUsage { "updater", {}, {}, 3000 }, AppUsage { "browser", {}, {}, 1000 },
                AppUsage { "Process 55", {}, {}, 50 } }));
        QVERIFY(second.processNetworkAvailable);
        // The first window is handed back, read again, under its own timestamp.
        QVERIFY(second.revisedNetwork);
        QCOMPARE(second.revisedNetwork->timestamp, first.timestamp);
        QVERIFY(second.revisedNetwork->apps.isEmpty());

        // Hiding processes ends the tool.
        m_sampler->sample(false);
        m_reader->waitForIdle();
        QVERIFY(!m_terminals.write(",\n"));
    }

    void networkUnavailableWhenTheToolCannotStart()
    {
        m_terminals.setFailsToLaunch(true);
        m_sampler->sample(true);
        m_reader->waitForIdle();
        QVERIFY(!m_sampler->sample(true).processNetworkAvailable);
        m_terminals.setFailsToLaunch(false);
    }

    void applicationURL_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<std::optional<QString>>("bundle");

        QTest::newRow("nested bundles give the outer one")
            << "/Applications/Outer.app/Contents/Frameworks/Inner.app/Contents/MacOS/inner"
            << std::optional<QString>("/Applications/Outer.app");
        QTest::newRow("no bundle") << "/usr/bin/true" << std::optional<QString>();
        QTest::newRow("upper-case extension") << "/opt/Tool.APP/bin/tool" << std::optional<QString>("/opt/Tool.APP");
        QTest::newRow("the file itself is not a folder") << "/opt/run.app" << std::optional<QString>();
        QTest::newRow("relative path") << "Outer.app/Contents/MacOS/x" << std::optional<QString>();
        QTest::newRow("empty path") << "" << std::optional<QString>();
        QTest::newRow("root") << "/" << std::optional<QString>();
    }

    void applicationURL()
    {
        QFETCH(QString, path);
        QFETCH(std::optional<QString>, bundle);
        const auto url = ProcessMetadataResolver::applicationURL(path);
        QCOMPARE(url ? std::optional(url->toLocalFile()) : std::nullopt, bundle);
    }

    void executablePathOnlyForTheSameRun()
    {
        QTemporaryDir dir;
        QVERIFY(Test::writeFile(dir, "bin/tool", "x"));
        m_stats->setProcess(5, process(1'000, 1, "tool", 501, std::nullopt, dir.filePath("bin/tool")));
        const ManagedProcess listed { 5, "tool", "ada", 501, 1'000, {}, {} };
        QCOMPARE(ProcessMetadataResolver::executablePath(*m_stats, listed), std::optional(dir.filePath("bin/tool")));

        m_stats->setProcess(5, process(2'000, 1, "tool", 501, std::nullopt, dir.filePath("bin/tool")));
        QVERIFY(!ProcessMetadataResolver::executablePath(*m_stats, listed));
        m_stats->setProcess(5, process(1'000, 1, "tool", 501, std::nullopt, dir.filePath("bin/gone")));
        QVERIFY(!ProcessMetadataResolver::executablePath(*m_stats, listed));
    }
};

QTEST_GUILESS_MAIN(TestSystemSampler)
#include "tst_systemsampler.moc"
