#include "platform/linux/procstatistics.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTest>

#include <limits>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

using Velmora::ByteCounters;
using Velmora::Linux::ProcStatistics;
using Velmora::Test::writeFile;

namespace {

// A command line as the kernel lists it: each argument ended by a zero byte.
QByteArray arguments(std::initializer_list<const char *> list)
{
    QByteArray text;
    for (const char *argument : list)
        text.append(argument).append('\0');
    return text;
}

// A procfs fixture whose one process, 50, runs `kernelName` with
// `commandLine`.
bool writeNamedProcess(const QTemporaryDir &root, const QByteArray &kernelName, const QByteArray &commandLine)
{
    return writeFile(root, "proc/stat", "cpu 1 1 1 1\nbtime 1700000000\n")
        && writeFile(root, "proc/50/stat",
            "50 (" + kernelName + ") S 1 50 50 0 -1 4194560 100 0 0 0 250 50 0 0 20 0 1 0 500 1 300\n")
        && writeFile(root, "proc/50/status", "Uid:\t1000\t1000\t1000\t1000\n")
        && writeFile(root, "proc/50/cmdline", commandLine);
}

} // namespace

class TestProcStatistics : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    QString proc() const { return m_root.filePath(QStringLiteral("proc")); }
    QString sys() const { return m_root.filePath(QStringLiteral("sys")); }
    void mkdir(const QString &relative) { QVERIFY(QDir(m_root.path()).mkpath(relative)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(writeFile(m_root, "proc/stat",
            "cpu  100 5 50 1000 20 3 2 1 0 0\n"
            "cpu0 50 2 25 500 10 1 1 0 0 0\n"
            "cpu1 50 3 25 500 10 2 1 1 0 0\n"
            "intr 1 2 3\n"
            "btime 1700000000\n"));
        QVERIFY(writeFile(m_root, "proc/meminfo",
            "MemTotal:       16000000 kB\nMemFree:         1000000 kB\n"
            "MemAvailable:    6000000 kB\n"));
        // Whole disks, a partition and the virtual devices that would count
        // the same bytes again.
        QVERIFY(writeFile(m_root, "proc/diskstats",
            " 253 0 vda 10 0 100 0 20 0 200 0 0 0 0\n"
            " 253 1 vda1 10 0 100 0 20 0 200 0 0 0 0\n"
            " 259 0 nvme0n1 1 0 8 0 2 0 16 0 0 0 0\n"
            "   7 0 loop0 5 0 50 0 0 0 0 0 0 0 0\n"
            " 252 0 zram0 5 0 50 0 5 0 50 0 0 0 0\n"
            " 254 0 dm-0 10 0 100 0 20 0 200 0 0 0 0\n"
            "   9 0 md0 10 0 100 0 20 0 200 0 0 0 0\n"));
        for (const char *disk : { "vda", "nvme0n1" })
            mkdir(QStringLiteral("sys/block/%1/device").arg(QLatin1String(disk)));
        for (const char *disk : { "loop0", "zram0", "dm-0", "md0" })
            mkdir(QStringLiteral("sys/block/%1").arg(QLatin1String(disk)));
        QVERIFY(writeFile(m_root, "proc/net/dev",
            "Inter-|   Receive |  Transmit\n"
            " face |bytes packets errs drop fifo frame compressed multicast|bytes\n"
            "    lo: 3267 29 0 0 0 0 0 0 3267 29 0 0 0 0 0 0\n"
            "  eth0: 5000 10 0 0 0 0 0 0 700 5 0 0 0 0 0 0\n"
            " wlan0: 100 1 0 0 0 0 0 0 50 1 0 0 0 0 0 0\n"
            "   br0: 9000 10 0 0 0 0 0 0 900 5 0 0 0 0 0 0\n"
            "veth1a: 9000 10 0 0 0 0 0 0 900 5 0 0 0 0 0 0\n"
            "  ifb0: 9000 10 0 0 0 0 0 0 900 5 0 0 0 0 0 0\n"
            "  ib0: 9000 10 0 0 0 0 0 0 900 5 0 0 0 0 0 0\n"));
        for (const char *link : { "eth0", "wlan0", "ib0" })
            mkdir(QStringLiteral("sys/class/net/%1/device").arg(QLatin1String(link)));
        QVERIFY(writeFile(m_root, "sys/class/net/eth0/type", "1\n"));
        QVERIFY(writeFile(m_root, "sys/class/net/wlan0/type", "1\n"));
        QVERIFY(writeFile(m_root, "sys/class/net/ib0/type", "32\n"));
        for (const char *link : { "lo", "br0", "veth1a", "ifb0" })
            QVERIFY(writeFile(m_root, QStringLiteral("sys/class/net/%1/type").arg(QLatin1String(link)),
                link == std::string_view("lo") ? "772\n" : "1\n"));

        // A user process whose name holds the characters that break naive
        // parsing, a kernel thread and a zombie.
        QVERIFY(writeFile(m_root, "proc/42/stat",
            "42 (my (odd)) x) S 1 42 42 0 -1 4194560 100 0 0 0 250 50 0 0 20 0 1 0 500 123456 300 "
            "18446744073709551615 1 1 0 0 0 0 0 0 0 0 0 0 17 0 0 0 0 0 0\n"));
        QVERIFY(writeFile(m_root, "proc/42/status", "Name:\tmy\nUmask:\t0022\nUid:\t1000\t1001\t1000\t1000\n"));
        QVERIFY(writeFile(m_root, "proc/42/io", "rchar: 1\nwchar: 2\nread_bytes: 4096\nwrite_bytes: 8192\n"));
        QVERIFY(writeFile(m_root, "bin/tool", "#!/bin/sh\n"));
        QVERIFY(QFile::link(m_root.filePath("bin/tool"), m_root.filePath("proc/42/exe")));

        QVERIFY(writeFile(m_root, "proc/2/stat",
            "2 (kthreadd) S 0 0 0 0 -1 2129984 0 0 0 0 0 7 0 0 20 0 1 0 1 0 0 "
            "18446744073709551615 0 0 0 0 0 0 0 2147483647 0 0 0 0 0 1 0 0 0 0 0\n"));
        QVERIFY(writeFile(m_root, "proc/2/status", "Name:\tkthreadd\nUid:\t0\t0\t0\t0\n"));
        QVERIFY(
            writeFile(m_root, "proc/77/stat", "77 (gone) Z 1 77 77 0 -1 4194560 0 0 0 0 1 1 0 0 20 0 1 0 900 0 0 0\n"));
        QVERIFY(writeFile(m_root, "proc/77/status", "Name:\tgone\nUid:\t5\t5\t5\t5\n"));
        mkdir("proc/acpi");
        mkdir("proc/self");
    }

    void machineCounters()
    {
        ProcStatistics stats(proc(), sys());
        const auto cpu = stats.cpuTicks();
        QVERIFY(cpu);
        QCOMPARE(cpu->user, 100u);
        QCOMPARE(cpu->nice, 5u);
        QCOMPARE(cpu->system, 50u + 3 + 2 + 1);
        QCOMPARE(cpu->idle, 1000u + 20); // waiting for I/O is idle time
        QCOMPARE(stats.processorCount(), 2);

        const auto memory = stats.memory();
        QVERIFY(memory);
        QCOMPARE(memory->total, 16'000'000ull * 1024);
        QCOMPARE(memory->used, 10'000'000ull * 1024);
    }

    // Counts too large for bytes in 64 bits stop at the largest, so memory
    // in use never exceeds the total.
    void memoryCountsSaturate_data()
    {
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("used");
        const quint64 most = std::numeric_limits<quint64>::max();
        QTest::newRow("2^54 kB + 1, 2 kB available")
            << QByteArray("MemTotal: 18014398509481985 kB\nMemAvailable: 2 kB\n") << most << most - 1023;
        QTest::newRow("largest count, nothing available")
            << QByteArray("MemTotal: 18446744073709551615 kB\nMemAvailable: 0 kB\n") << most << most;
    }
    void memoryCountsSaturate()
    {
        QFETCH(QByteArray, meminfo);
        QFETCH(quint64, total);
        QFETCH(quint64, used);
        QTemporaryDir root;
        QVERIFY(writeFile(root, "proc/meminfo", meminfo));
        const auto memory = ProcStatistics(root.filePath("proc"), root.filePath("sys")).memory();
        QVERIFY(memory);
        QCOMPARE(memory->total, total);
        QCOMPARE(memory->used, used);
    }

    void onlyPhysicalDisksAndInterfacesCount()
    {
        ProcStatistics stats(proc(), sys());
        const QHash<QString, ByteCounters> disks { { "vda", { 100 * 512, 200 * 512 } },
            { "nvme0n1", { 8 * 512, 16 * 512 } } };
        QCOMPARE(stats.diskCounters(), disks);
        const QHash<QString, ByteCounters> links { { "eth0", { 5000, 700 } }, { "wlan0", { 100, 50 } } };
        QCOMPARE(stats.networkCounters(), links);
    }

    // Probing which devices count costs more than reading them, so it is
    // done again only when the devices listed change.
    void deviceKindsAreCheckedWhenTheNamesChange()
    {
        QTemporaryDir root;
        QVERIFY(writeFile(root, "proc/diskstats", " 253 0 vda 10 0 100 0 20 0 200 0 0 0 0\n"));
        QVERIFY(QDir(root.path()).mkpath("sys/block/vda/device"));
        ProcStatistics stats(root.filePath("proc"), root.filePath("sys"));
        QCOMPARE(stats.diskCounters().keys(), QStringList { "vda" });

        QVERIFY(QDir(root.filePath("sys/block/vda/device")).removeRecursively());
        QVERIFY(writeFile(root, "proc/diskstats", " 253 0 vda 11 0 110 0 20 0 200 0 0 0 0\n"));
        QCOMPARE(stats.diskCounters().value("vda"), (ByteCounters { 110 * 512, 200 * 512 }));

        QVERIFY(writeFile(
            root, "proc/diskstats", " 253 0 vda 11 0 110 0 20 0 200 0 0 0 0\n 8 0 sda 1 0 2 0 3 0 4 0 0 0 0\n"));
        QVERIFY(QDir(root.path()).mkpath("sys/block/sda/device"));
        QCOMPARE(stats.diskCounters().keys(), QStringList { "sda" });
    }

    // Listed processes keep their files open while they stay listed; a
    // process's owner is read again when it runs another program.
    void listedProcessesAreReadFromKeptFiles()
    {
        QTemporaryDir root;
        QVERIFY(writeFile(root, "proc/stat", "cpu 1 1 1 1\nbtime 1700000000\n"));
        const QByteArray stat = "42 (editor) S 1 42 42 0 -1 4194560 100 0 0 0 250 50 0 0 20 0 1 0 500 1 300\n";
        QVERIFY(writeFile(root, "proc/42/stat", stat));
        QVERIFY(writeFile(root, "proc/42/status", "Uid:\t1000\t1000\t1000\t1000\n"));
        QVERIFY(writeFile(root, "proc/42/io", "read_bytes: 1\nwrite_bytes: 2\n"));
        ProcStatistics stats(root.filePath("proc"), root.filePath("sys"));
        QCOMPARE(stats.processIds(), QList<qint32> { 42 });
        QCOMPARE(stats.process(42)->identity.uid, 1000u);
        QCOMPARE(stats.heldProcessFiles(), 2);

        QVERIFY(writeFile(root, "proc/42/status", "Uid:\t0\t0\t0\t0\n"));
        QVERIFY(writeFile(root, "proc/42/io", "read_bytes: 10\nwrite_bytes: 20\n"));
        QCOMPARE(stats.process(42)->diskBytes, std::optional<quint64>(30));
        QVERIFY(writeFile(root, "proc/42/stat", QByteArray(stat).replace("(editor)", "(sudo)")));
        QCOMPARE(stats.process(42)->identity.uid, 0u);
        // Changes of user without a new program are seen within a few seconds.
        QVERIFY(writeFile(root, "proc/42/status", "Uid:\t7\t7\t7\t7\n"));
        quint32 uid = 0;
        for (int reading = 0; reading < 16 && uid != 7; ++reading)
            uid = stats.process(42)->identity.uid;
        QCOMPARE(uid, 7u);

        // Gone from the listing: its files close.
        QVERIFY(QDir(root.filePath("proc/42")).removeRecursively());
        QVERIFY(stats.processIds().isEmpty());
        QCOMPARE(stats.heldProcessFiles(), 0);
        QVERIFY(!stats.process(42));
    }

    // Reading a process's owner costs more than the rest of its reading, so
    // a listed process's owner is read again once every 16 readings: not
    // more often, and not less.
    void ownersAreReadAgainEverySixteenReadings()
    {
        QTemporaryDir root;
        QVERIFY(writeFile(root, "proc/stat", "cpu 1 1 1 1\nbtime 1700000000\n"));
        // 47 is the process whose first check comes after a single reading.
        QVERIFY(writeFile(root, "proc/47/stat",
            "47 (editor) S 1 47 47 0 -1 4194560 100 0 0 0 250 50 0 0 20 0 1 0 500 1 300\n"));
        QVERIFY(writeFile(root, "proc/47/status", "Uid:\t1000\t1000\t1000\t1000\n"));
        ProcStatistics stats(root.filePath("proc"), root.filePath("sys"));
        QCOMPARE(stats.process(47)->identity.uid, 1000u);
        QVERIFY(writeFile(root, "proc/47/status", "Uid:\t7\t7\t7\t7\n"));
        QCOMPARE(stats.process(47)->identity.uid, 7u);

        QVERIFY(writeFile(root, "proc/47/status", "Uid:\t8\t8\t8\t8\n"));
        for (int reading = 1; reading < 16; ++reading)
            QCOMPARE(stats.process(47)->identity.uid, 7u);
        QCOMPARE(stats.process(47)->identity.uid, 8u);
    }

    // The kernel cuts a program's name to 15 bytes; the executable's or the
    // first argument's file name gives the whole one when it begins with
    // what was kept.
    void cutNamesAreCompleted_data()
    {
        QTest::addColumn<QByteArray>("kernelName");
        QTest::addColumn<QString>("executable"); // link target; empty: unreadable
        QTest::addColumn<QByteArray>("commandLine");
        QTest::addColumn<QString>("shown");

        QTest::newRow("executable") << QByteArray("xdg-desktop-por") << "/usr/libexec/xdg-desktop-portal"
                                    << arguments({ "/usr/libexec/xdg-desktop-portal-gnome" })
                                    << "xdg-desktop-portal";
        QTest::newRow("first argument, executable unreadable")
            << QByteArray("xdg-desktop-por") << QString()
            << arguments({ "/usr/libexec/xdg-desktop-portal-gtk", "--replace" }) << "xdg-desktop-portal-gtk";
        QTest::newRow("replaced executable") << QByteArray("gnome-session-b")
                                             << "/usr/libexec/gnome-session-binary (deleted)" << QByteArray()
                                             << "gnome-session-binary";
        QTest::newRow("nothing readable") << QByteArray("xdg-desktop-por") << QString() << QByteArray()
                                          << "xdg-desktop-por";
        QTest::newRow("a name of its own") << QByteArray("Isolated Web Co") << "/usr/lib/firefox/firefox"
                                           << arguments({ "/usr/lib/firefox/firefox" }) << "Isolated Web Co";
        QTest::newRow("not cut") << QByteArray("python3") << "/usr/bin/python3.11"
                                 << arguments({ "python3.11" }) << "python3";
    }

    void cutNamesAreCompleted()
    {
        QFETCH(QByteArray, kernelName);
        QFETCH(QString, executable);
        QFETCH(QByteArray, commandLine);
        QFETCH(QString, shown);
        QTemporaryDir root;
        QVERIFY(writeNamedProcess(root, kernelName, commandLine));
        if (!executable.isEmpty())
            QVERIFY(QFile::link(executable, root.filePath("proc/50/exe")));
        ProcStatistics stats(root.filePath("proc"), root.filePath("sys"));
        QCOMPARE(stats.process(50)->name, shown);
    }

    // Looked up once per run of a program: a listed process is read every
    // second, its name only again when it runs another program.
    void wholeNameIsLookedUpOncePerProgram()
    {
        QTemporaryDir root;
        QVERIFY(writeNamedProcess(root, "xdg-desktop-por", arguments({ "/usr/libexec/xdg-desktop-portal" })));
        ProcStatistics stats(root.filePath("proc"), root.filePath("sys"));
        QCOMPARE(stats.processIds(), QList<qint32> { 50 });
        QCOMPARE(stats.process(50)->name, QStringLiteral("xdg-desktop-portal"));

        QVERIFY(writeFile(root, "proc/50/cmdline", arguments({ "/usr/libexec/xdg-desktop-portal-kde" })));
        QCOMPARE(stats.process(50)->name, QStringLiteral("xdg-desktop-portal"));

        QVERIFY(writeNamedProcess(root, "gnome-session-b", arguments({ "gnome-session-binary" })));
        QCOMPARE(stats.process(50)->name, QStringLiteral("gnome-session-binary"));
    }

    // A soft limit on open files below what the system allows is raised, so
    // that a machine with a thousand processes keeps all their files open.
    void theOpenFileLimitIsRaisedForListing()
    {
        rlimit original {};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &original), 0);
        if (original.rlim_max != RLIM_INFINITY && original.rlim_max <= 256)
            QSKIP("The hard limit on open files leaves nothing to raise.");
        rlimit lowered = original;
        lowered.rlim_cur = 256;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
        ProcStatistics stats(proc(), sys());
        rlimit now {};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &now), 0);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &original), 0);
        QVERIFY(now.rlim_cur > 256);
    }

    void forgettingProcessesClosesTheirFiles()
    {
        ProcStatistics stats;
        const QList<qint32> pids = stats.processIds();
        for (const qint32 pid : pids)
            stats.process(pid);
        QVERIFY(stats.heldProcessFiles() > 0);
        stats.forgetProcesses();
        QCOMPARE(stats.heldProcessFiles(), 0);
        QVERIFY(stats.process(qint32(::getpid())));
    }

    void processesAreReadAfterTheLastParenthesis()
    {
        ProcStatistics stats(proc(), sys());
        QList<qint32> pids = stats.processIds();
        std::sort(pids.begin(), pids.end());
        QCOMPARE(pids, (QList<qint32> { 2, 42, 77 }));

        const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
        const auto process = stats.process(42);
        QVERIFY(process);
        QCOMPARE(process->name, QStringLiteral("my (odd)) x"));
        QCOMPARE(process->identity.uid, 1001u); // the effective id, not the real one
        QCOMPARE(process->identity.started, 1'700'000'000'000'000ull + 500ull * 1'000'000 / quint64(ticksPerSecond));
        QVERIFY(!process->identity.isKernelThread);
        QCOMPARE(process->cpuTicks, std::optional<quint64>(300));
        QCOMPARE(process->memory, std::optional<quint64>(300ull * quint64(::sysconf(_SC_PAGESIZE))));
        QCOMPARE(process->diskBytes, std::optional<quint64>(4096 + 8192));
        QCOMPARE(stats.executablePath(42), std::optional<QString>(m_root.filePath("bin/tool")));
        QCOMPARE(stats.identity(42), std::optional(process->identity));

        const auto kernel = stats.process(2);
        QVERIFY(kernel);
        QVERIFY(kernel->identity.isKernelThread);
        QVERIFY(!kernel->diskBytes); // unreadable io leaves disk use unknown, not zero
        QVERIFY(!stats.executablePath(2));

        const auto zombie = stats.identity(77);
        QVERIFY(zombie && zombie->hasExited);
        QVERIFY(!stats.process(4242));
        QVERIFY(!stats.identity(0));
    }

    // The kernel derives btime from the wall clock, so it shifts when the
    // clock is set; start times must not shift with it during a run, or every
    // process would look like a new one and could no longer be ended.
    void bootTimeIsReadOnce()
    {
        ProcStatistics stats(proc(), sys());
        const auto before = stats.identity(42);
        QVERIFY(before);
        QFile stat(m_root.filePath("proc/stat"));
        QVERIFY(stat.open(QIODevice::ReadOnly));
        const QByteArray original = stat.readAll();
        stat.close();
        QVERIFY(writeFile(m_root, "proc/stat", QByteArray(original).replace("btime 1700000000", "btime 1700000001")));

        QCOMPARE(stats.identity(42), before);
        QCOMPARE(ProcStatistics(proc(), sys()).identity(42)->started, before->started + 1'000'000);
        QVERIFY(writeFile(m_root, "proc/stat", original));
    }

    void missingSourcesGiveNothing()
    {
        ProcStatistics stats(m_root.filePath("nowhere"), m_root.filePath("nowhere"));
        QVERIFY(!stats.cpuTicks());
        QVERIFY(!stats.memory());
        QVERIFY(stats.diskCounters().isEmpty());
        QVERIFY(stats.networkCounters().isEmpty());
        QVERIFY(stats.processIds().isEmpty());
        QCOMPARE(stats.processorCount(), 0);
    }

    void readsThisMachine()
    {
        ProcStatistics stats;
        QVERIFY(stats.cpuTicks());
        QVERIFY(stats.memory());
        QVERIFY(stats.processIds().contains(qint32(::getpid())));
        const auto self = stats.process(qint32(::getpid()));
        QVERIFY(self);
        QCOMPARE(self->identity.uid, quint32(::geteuid()));
        // A process that is not dumpable, as privileged programs make
        // themselves, has its files handed to root: its owner is still the
        // user it runs as.
        QCOMPARE(::prctl(PR_SET_DUMPABLE, 0), 0);
        const auto undumpable = ProcStatistics().process(qint32(::getpid()));
        QCOMPARE(::prctl(PR_SET_DUMPABLE, 1), 0);
        QVERIFY(undumpable);
        QCOMPARE(undumpable->identity.uid, quint32(::geteuid()));
        QVERIFY(stats.executablePath(qint32(::getpid())));
        QVERIFY(stats.userName(0));
    }
};

QTEST_GUILESS_MAIN(TestProcStatistics)
#include "tst_procstatistics.moc"
