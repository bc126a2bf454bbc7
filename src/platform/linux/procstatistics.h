#pragma once

#include "platform/linux/heldprocfile.h"
#include "platform/systemstatistics.h"

#include <QByteArray>

#include <dirent.h>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Velmora::Linux {

// Machine and process counters from procfs and sysfs. Both roots are
// parameters so tests read fixture trees instead of this machine.
//
// Measuring once a second for the life of the application, it keeps what it
// can between readings: the machine's counter files stay open, which disks
// and interfaces count is decided again only when their names change, and
// each listed process's files stay open while it is listed (within a share
// of the descriptors the process may have).
class ProcStatistics final : public SystemStatistics
{
public:
    explicit ProcStatistics(
        const QString &procRoot = QStringLiteral("/proc"), const QString &sysRoot = QStringLiteral("/sys"));
    ~ProcStatistics() override;

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
    void forgetProcesses() override;

    // Descriptors kept open for listed processes now.
    int heldProcessFiles() const;

private:
    struct StatLine;
    // A listed process's open files and what was last read of it.
    struct HeldProcess
    {
        HeldProcFile stat;
        HeldProcFile io; // closed when it could not be opened
        bool ioRefused = false; // another user's: not tried again for this run
        quint64 started = 0;
        quint32 uid = 0;
        std::string name; // as the kernel gives it
        QString programName; // the whole name, looked up once per program run
        // Readings left before the owner is read again: a process may change
        // its user, which the stat line does not show.
        int readingsUntilOwner = 0;
        quint64 listing = 0; // the last listing of processes that held it
    };
    // Which of a counter file's devices count, for the names it listed last.
    struct DeviceKinds
    {
        std::vector<std::string> names;
        std::unordered_set<std::string> counted;
    };

    std::optional<StatLine> readStat(qint32 pid, QString *name);
    std::optional<quint32> readEffectiveUid(qint32 pid);
    ProcessIdentity makeIdentity(quint64 bootSeconds, const StatLine &stat, quint32 uid) const;
    bool isPhysical(const QByteArray &sysPath) const;
    bool readMachineFile(const HeldProcFile &held, const char *leaf, std::string &out, bool untilEnd) const;
    std::optional<quint64> readDiskBytes(const HeldProcFile &io, std::string &text) const;
    void release(std::unordered_map<qint32, HeldProcess>::iterator held);

    QByteArray m_proc;
    QByteArray m_sys;
    // Read once, at creation: start times derived from it must stay
    // comparable for the whole run, and nothing else here changes, so one
    // instance is safe to use from several threads.
    std::optional<quint64> m_bootTime;
    long m_ticksPerSecond;

    int m_procDirectory = -1;
    // The root is the kernel's procfs rather than a copy of its files.
    bool m_isProcfs = false;
    HeldProcFile m_stat;
    HeldProcFile m_meminfo;
    HeldProcFile m_diskstats;
    HeldProcFile m_netdev;

    std::mutex m_kindsMutex;
    DeviceKinds m_disks;
    DeviceKinds m_links;

    std::mutex m_listingMutex;
    DIR *m_listing = nullptr;
    qsizetype m_lastListed = 0;

    mutable std::mutex m_processMutex;
    std::unordered_map<qint32, HeldProcess> m_held;
    quint64 m_listings = 0;
    int m_heldFiles = 0;
    int m_fileBudget = 0;
};

} // namespace Velmora::Linux
