#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// Cumulative host CPU time in scheduler ticks since boot. Waiting for I/O
// counts as idle: the processor was free to run something else.
struct CpuTicks
{
    quint64 user = 0;
    quint64 system = 0;
    quint64 idle = 0;
    quint64 nice = 0;
};

struct MemoryStatistics
{
    quint64 total = 0; // physical memory in bytes
    quint64 used = 0; // bytes in use that cannot be reclaimed at once
};

// A pair of cumulative byte counters: (read, written) for a disk, (received,
// sent) for a network interface.
struct ByteCounters
{
    quint64 first = 0;
    quint64 second = 0;

    friend bool operator==(const ByteCounters &, const ByteCounters &) = default;
};

// What identifies one run of a process: a process id is reused, the pair of
// id and start time is not.
struct ProcessIdentity
{
    quint32 uid = 0; // effective user id
    quint64 started = 0; // microseconds since 1970
    bool isKernelThread = false;
    bool hasExited = false; // a zombie: gone, only not yet reaped by its parent

    friend bool operator==(const ProcessIdentity &, const ProcessIdentity &) = default;
};

// One process as the system reports it. Only the identity is required; every
// other reading may be refused (another user's process, a process that exits
// while it is read) and is then absent.
struct ProcessStatistics
{
    ProcessIdentity identity;
    QString name; // empty when the system has none
    std::optional<quint64> cpuTicks; // user + system time, in process ticks
    std::optional<quint64> memory; // resident bytes
    std::optional<quint64> diskBytes; // bytes read from and written to storage
};

// Machine and process counters. Every reading is a snapshot; callers turn
// counters into rates. A reading that fails gives an absent or empty result.
// Implementations are safe to call from several threads at once: the sampler
// reads on its queue while the main thread checks a process before ending it.
class SystemStatistics
{
public:
    virtual ~SystemStatistics();

    virtual std::optional<CpuTicks> cpuTicks() = 0;
    virtual std::optional<MemoryStatistics> memory() = 0;
    // Per physical disk (never partitions or virtual block devices).
    virtual QHash<QString, ByteCounters> diskCounters() = 0;
    // Per physical network interface (never loopback or virtual interfaces).
    virtual QHash<QString, ByteCounters> networkCounters() = 0;
    // Processors that are online; at least 1 when known, 0 when not.
    virtual int processorCount() = 0;
    // Length of one process tick (the unit of ProcessStatistics::cpuTicks).
    virtual double nanosecondsPerProcessTick() = 0;

    virtual QList<qint32> processIds() = 0;
    virtual std::optional<ProcessStatistics> process(qint32 pid) = 0;
    virtual std::optional<ProcessIdentity> identity(qint32 pid) = 0;
    virtual std::optional<QString> executablePath(qint32 pid) = 0;
    virtual std::optional<QString> userName(quint32 uid) = 0;

    // The caller stopped listing processes for a while: whatever is kept per
    // process to make the next listing cheaper (open descriptors) may go.
    virtual void forgetProcesses();
};

} // namespace Velmora
