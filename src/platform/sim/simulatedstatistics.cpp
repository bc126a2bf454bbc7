#include "platform/sim/simulatedstatistics.h"

namespace Velmora::Sim {

template<typename T> void SimulatedStatistics::assign(T &member, T value)
{
    QMutexLocker lock(&m_mutex);
    member = std::move(value);
}

void SimulatedStatistics::setCpuTicks(std::optional<CpuTicks> ticks)
{
    assign(m_cpu, ticks);
}
void SimulatedStatistics::setMemory(std::optional<MemoryStatistics> memory)
{
    assign(m_memory, memory);
}
void SimulatedStatistics::setDiskCounters(const QHash<QString, ByteCounters> &counters)
{
    assign(m_disks, counters);
}
void SimulatedStatistics::setNetworkCounters(const QHash<QString, ByteCounters> &counters)
{
    assign(m_links, counters);
}
void SimulatedStatistics::setProcessorCount(int count)
{
    assign(m_processors, count);
}
void SimulatedStatistics::setNanosecondsPerProcessTick(double nanoseconds)
{
    assign(m_nanosecondsPerTick, nanoseconds);
}

void SimulatedStatistics::setProcess(qint32 pid, const Process &process)
{
    QMutexLocker lock(&m_mutex);
    m_processes.insert(pid, process);
}

void SimulatedStatistics::removeProcess(qint32 pid)
{
    QMutexLocker lock(&m_mutex);
    m_processes.remove(pid);
}

void SimulatedStatistics::setUserName(quint32 uid, const QString &name)
{
    QMutexLocker lock(&m_mutex);
    m_users.insert(uid, name);
}

int SimulatedStatistics::executablePathReads(qint32 pid) const
{
    QMutexLocker lock(&m_mutex);
    return m_pathReads.value(pid);
}

std::optional<CpuTicks> SimulatedStatistics::cpuTicks()
{
    QMutexLocker lock(&m_mutex);
    return m_cpu;
}

std::optional<MemoryStatistics> SimulatedStatistics::memory()
{
    QMutexLocker lock(&m_mutex);
    return m_memory;
}

QHash<QString, ByteCounters> SimulatedStatistics::diskCounters()
{
    QMutexLocker lock(&m_mutex);
    return m_disks;
}

QHash<QString, ByteCounters> SimulatedStatistics::networkCounters()
{
    QMutexLocker lock(&m_mutex);
    return m_links;
}

int SimulatedStatistics::processorCount()
{
    QMutexLocker lock(&m_mutex);
    return m_processors;
}

double SimulatedStatistics::nanosecondsPerProcessTick()
{
    QMutexLocker lock(&m_mutex);
    return m_nanosecondsPerTick;
}

QList<qint32> SimulatedStatistics::processIds()
{
    QMutexLocker lock(&m_mutex);
    return m_processes.keys();
}

std::optional<ProcessStatistics> SimulatedStatistics::process(qint32 pid)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_processes.constFind(pid);
    if (found == m_processes.cend())
        return std::nullopt;
    return found->statistics;
}

std::optional<ProcessIdentity> SimulatedStatistics::identity(qint32 pid)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_processes.constFind(pid);
    if (found == m_processes.cend())
        return std::nullopt;
    return found->statistics.identity;
}

std::optional<QString> SimulatedStatistics::executablePath(qint32 pid)
{
    QMutexLocker lock(&m_mutex);
    ++m_pathReads[pid];
    const auto found = m_processes.constFind(pid);
    if (found == m_processes.cend())
        return std::nullopt;
    return found->executable;
}

std::optional<QString> SimulatedStatistics::userName(quint32 uid)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_users.constFind(uid);
    if (found == m_users.cend())
        return std::nullopt;
    return *found;
}

} // namespace Velmora::Sim
