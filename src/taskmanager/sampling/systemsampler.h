#pragma once

#include "platform/systemstatistics.h"
#include "taskmanager/sampling/systemsample.h"

#include <QHash>

#include <memory>
#include <unordered_map>

namespace Velmora {

class Clock;
class ProcessNetworkReader;

// Takes one measurement of the machine per call, turning cumulative counters
// into percentages and rates against the previous call. With processes it
// also lists every process and ranks the applications that use the most.
//
// Used from one thread at a time; it has no lock of its own.
class SystemSampler
{
public:
    SystemSampler(SystemStatistics &statistics, const Clock &clock, std::unique_ptr<ProcessNetworkReader> network);
    // Ends the network reader's tool.
    ~SystemSampler();

    SystemSample sample(bool includeProcesses);

    // Thread-safe; the monitor stops it from the main thread.
    ProcessNetworkReader &networkReader() { return *m_network; }

    // Counter rates over `elapsed` seconds. Only keys present in both maps
    // whose counters did not go back contribute; none contributing gives
    // nothing.
    static std::optional<std::pair<double, double>> rates(
        const QHash<QString, ByteCounters> &current, const QHash<QString, ByteCounters> &previous, double elapsed);

private:
    struct Identity
    {
        quint64 started = 0;
        QString name;
        std::optional<QString> executable;
        std::optional<AppIdentity> app;
    };
    // What is remembered of one run of a process between measurements. It
    // is updated in place, so a process that stays listed costs one look-up
    // and no allocation per measurement.
    struct Tracked
    {
        Identity identity;
        std::optional<quint64> ticks;
        std::optional<quint64> diskBytes;
        // The measurement that last listed it: counters of an earlier one
        // are not the previous call's.
        quint64 listed = 0;
    };
    struct Window
    {
        double start = 0;
        double end = 0;
        qint64 timestamp = 0;
    };

    void measureCpu(SystemSample &sample);
    void measureMemory(SystemSample &sample);
    // Lists the processes into `sample` and their shares into m_shares.
    void measureProcesses(SystemSample &sample, std::optional<double> elapsed);
    Identity resolveIdentity(qint32 pid, quint64 started, const QString &name);
    QString ownerName(quint32 uid);
    QList<AppUsage> networkTop(double from, double to);
    double uptime() const;

    SystemStatistics &m_statistics;
    const Clock &m_clock;

    std::optional<double> m_lastTime;
    QHash<quint32, QString> m_owners;
    std::optional<CpuTicks> m_lastCpu;
    QHash<QString, ByteCounters> m_lastDisk;
    QHash<QString, ByteCounters> m_lastNetwork;
    // Processes listed by this measurement or the one before: network rates
    // arrive late, for processes that may have ended since. The standard
    // map hashes an id to itself, so processes listed in increasing order
    // of ids are looked up in neighbouring buckets; a seeded hash would
    // send each look-up to another part of memory, a cache miss between
    // every two reads of the kernel's files.
    std::unordered_map<qint32, Tracked> m_tracked;
    // The last measurement's processes, as the top lists rank them.
    QList<ProcessResourceShare> m_shares;
    quint64 m_measurement = 0;
    std::optional<Window> m_pendingNetworkWindow;
    bool m_listsProcesses = false;
    std::unique_ptr<ProcessNetworkReader> m_network;
};

} // namespace Velmora
