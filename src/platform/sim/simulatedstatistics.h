#pragma once

#include "platform/systemstatistics.h"

#include <QMap>
#include <QMutex>

namespace Velmora::Sim {

// A machine whose counters a test sets by hand. Safe to change from the test
// thread while a sampler reads it on another.
class SimulatedStatistics final : public SystemStatistics
{
public:
    struct Process
    {
        ProcessStatistics statistics;
        std::optional<QString> executable;
    };

    void setCpuTicks(std::optional<CpuTicks> ticks);
    void setMemory(std::optional<MemoryStatistics> memory);
    void setDiskCounters(const QHash<QString, ByteCounters> &counters);
    void setNetworkCounters(const QHash<QString, ByteCounters> &counters);
    void setProcessorCount(int count);
    void setNanosecondsPerProcessTick(double nanoseconds);
    // Adds or replaces the process; a new start time models a reused id.
    void setProcess(qint32 pid, const Process &process);
    void removeProcess(qint32 pid);
    void setUserName(quint32 uid, const QString &name);
    // How often each pid's executable path was asked for.
    int executablePathReads(qint32 pid) const;

    std::optional<CpuTicks> cpuTicks() override;
    std::optional<MemoryStatistics> memory() override;
    QHash<QString, ByteCounters> diskCounters() override;
    QHash<QString, ByteCounters> networkCounters() override;
    int processorCount() override;
    double nanosecondsPerProcessTick() override;
    QList<qint32> processIds() override;
    std::optional<ProcessStatistics> process(qint32 pid) override;
    std::optional<ProcessIdentity> identity(qint32 pid) override;
    std::optional<QString> executablePath(qint32 pid) override;
    std::optional<QString> userName(quint32 uid) override;

private:
    template<typename T> void assign(T &member, T value);

    mutable QMutex m_mutex;
    std::optional<CpuTicks> m_cpu;
    std::optional<MemoryStatistics> m_memory;
    QHash<QString, ByteCounters> m_disks;
    QHash<QString, ByteCounters> m_links;
    int m_processors = 4;
    double m_nanosecondsPerTick = 10'000'000; // 100 ticks a second
    QMap<qint32, Process> m_processes;
    QHash<quint32, QString> m_users;
    QHash<qint32, int> m_pathReads;
};

} // namespace Velmora::Sim
