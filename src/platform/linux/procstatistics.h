#pragma once

#include "platform/systemstatistics.h"

#include <QByteArray>

namespace Velmora::Linux {

// Machine and process counters from procfs and sysfs. Both roots are
// parameters so tests read fixture trees instead of this machine.
class ProcStatistics final : public SystemStatistics
{
public:
    explicit ProcStatistics(
        const QString &procRoot = QStringLiteral("/proc"), const QString &sysRoot = QStringLiteral("/sys"));

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
    struct StatLine;
    std::optional<StatLine> readStat(qint32 pid, QString *name);
    std::optional<quint32> readEffectiveUid(qint32 pid);
    ProcessIdentity makeIdentity(quint64 bootSeconds, const StatLine &stat, quint32 uid) const;
    bool isPhysical(const QByteArray &sysPath) const;

    QByteArray m_proc;
    QByteArray m_sys;
    // Read once, at creation: start times derived from it must stay
    // comparable for the whole run, and nothing else here changes, so one
    // instance is safe to use from several threads.
    std::optional<quint64> m_bootTime;
    long m_ticksPerSecond;
};

} // namespace Velmora::Linux
