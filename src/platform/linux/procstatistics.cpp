#include "platform/linux/procstatistics.h"

#include "platform/linux/proctext.h"
#include "platform/linux/programname.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <linux/magic.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace Velmora::Linux {

using namespace ProcText;

namespace {

constexpr quint64 kernelThreadFlag = 0x00200000; // PF_KTHREAD
constexpr quint64 sectorBytes = 512; // diskstats counts 512-byte sectors whatever the device
// A held process's owner is read again every this many readings.
constexpr int readingsPerOwnerCheck = 16;
// At most this share of the descriptors we may open is kept for processes.
constexpr int fileBudgetDivisor = 2;
constexpr int largestFileBudget = 16384;

// Only Ethernet-type links (ARPHRD_ETHER, wired or wireless) carry the
// machine's traffic; tunnels and the like would count it twice.
bool isEthernet(const QByteArray &sysPath)
{
    std::string type;
    if (!readFile(sysPath + "/type", type))
        return false;
    std::string_view text = type;
    return toNumber(nextToken(text)) == 1;
}

// "1234/stat", relative to the procfs root.
std::string relativePidPath(qint32 pid, const char *leaf)
{
    std::string path = std::to_string(pid);
    path += '/';
    path += leaf;
    return path;
}

int fileBudget()
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    // Two files per listed process: under the usual soft limit of 1,024
    // only a few hundred processes keep theirs, and every process beyond
    // them is opened afresh each second at several times the cost, so the
    // cost per process grows with their number. The hard limit is what the
    // system grants; the soft one is raised towards it.
    const rlim_t wanted = rlim_t(largestFileBudget) * fileBudgetDivisor;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < wanted && limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max == RLIM_INFINITY ? wanted : std::min(limit.rlim_max, wanted);
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    if (limit.rlim_cur == RLIM_INFINITY)
        return largestFileBudget;
    return int(std::min<rlim_t>(limit.rlim_cur / fileBudgetDivisor, largestFileBudget));
}

bool isProcfs(int directory)
{
    struct statfs filesystem {};
    return directory >= 0 && ::fstatfs(directory, &filesystem) == 0 && filesystem.f_type == PROC_SUPER_MAGIC;
}

QByteArray pidPath(const QByteArray &root, qint32 pid, const char *leaf)
{
    QByteArray path = root;
    path += '/';
    path += QByteArray::number(pid);
    path += '/';
    path += leaf;
    return path;
}

} // namespace

struct ProcStatistics::StatLine
{
    char state = 0;
    quint64 flags = 0;
    quint64 ticks = 0;
    quint64 startTicks = 0;
    quint64 residentPages = 0;
};

namespace {

// The fields of a stat line. The name sits in parentheses and may itself
// contain spaces and parentheses, so the fields are read after the last ")".
template<typename StatLine> std::optional<StatLine> parseStat(std::string_view text, std::string_view *name)
{
    const size_t open = text.find('(');
    const void *last = ::memrchr(text.data(), ')', text.size());
    if (open == std::string_view::npos || !last)
        return std::nullopt;
    const size_t close = size_t(static_cast<const char *>(last) - text.data());
    if (close < open)
        return std::nullopt;
    if (name)
        *name = text.substr(open + 1, close - open - 1);
    std::string_view rest = text.substr(close + 1);
    // Field numbers as in proc(5): the state is field 3. Only the fields we
    // use are converted; a negative or missing value of one of them fails
    // the line, the resident size reads as 0.
    StatLine stat;
    for (int number = 3; number <= 24; ++number) {
        const std::string_view token = nextToken(rest);
        if (number == 3) {
            stat.state = token.empty() ? 0 : token.front();
            continue;
        }
        if (number != 9 && number != 14 && number != 15 && number != 22 && number != 24)
            continue;
        const auto value = toNumber(token);
        if (!value) {
            if (number == 24)
                continue;
            return std::nullopt;
        }
        switch (number) {
        case 9:
            stat.flags = *value;
            break;
        case 14:
        case 15:
            stat.ticks += *value;
            break;
        case 22:
            stat.startTicks = *value;
            break;
        default:
            stat.residentPages = *value;
            break;
        }
    }
    return stat;
}

QString decodeName(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

} // namespace

ProcStatistics::ProcStatistics(const QString &procRoot, const QString &sysRoot)
    : m_proc(QFile::encodeName(procRoot))
    , m_sys(QFile::encodeName(sysRoot))
    , m_ticksPerSecond(qMax(1L, ::sysconf(_SC_CLK_TCK)))
    , m_procDirectory(::open(m_proc.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    , m_isProcfs(isProcfs(m_procDirectory))
    , m_stat(HeldProcFile::open(m_procDirectory, "stat"))
    , m_meminfo(HeldProcFile::open(m_procDirectory, "meminfo"))
    , m_diskstats(HeldProcFile::open(m_procDirectory, "diskstats"))
    , m_netdev(HeldProcFile::open(m_procDirectory, "net/dev"))
    , m_fileBudget(fileBudget())
{
    std::string text;
    if (readMachineFile(m_stat, "stat", text, false))
        m_bootTime = keyedNumber(text, "btime ");
}

ProcStatistics::~ProcStatistics()
{
    m_held.clear();
    if (m_listing)
        ::closedir(m_listing);
    if (m_procDirectory >= 0)
        ::close(m_procDirectory);
}

bool ProcStatistics::readMachineFile(const HeldProcFile &held, const char *leaf, std::string &out, bool untilEnd) const
{
    if (held.read(out, untilEnd))
        return true;
    // Not open (or no longer readable): a fresh reading says whether it is there.
    return readFile(m_proc + '/' + leaf, out, untilEnd);
}

std::optional<CpuTicks> ProcStatistics::cpuTicks()
{
    thread_local std::string text;
    if (!readMachineFile(m_stat, "stat", text, false))
        return std::nullopt;
    std::string_view line = text;
    if (nextToken(line) != "cpu")
        return std::nullopt;
    // user nice system idle iowait irq softirq steal
    quint64 field[8] = {};
    for (int i = 0; i < 8; ++i) {
        const std::string_view token = nextToken(line);
        if (token.empty() && i >= 4)
            break; // very old kernels stop early
        const auto value = toNumber(token);
        if (!value)
            return std::nullopt;
        field[i] = *value;
    }
    CpuTicks ticks;
    ticks.user = field[0];
    ticks.nice = field[1];
    ticks.system = field[2] + field[5] + field[6] + field[7];
    ticks.idle = field[3] + field[4];
    return ticks;
}

int ProcStatistics::processorCount()
{
    thread_local std::string text;
    if (!readMachineFile(m_stat, "stat", text, false))
        return 0;
    int count = 0;
    for (std::string_view remaining = text; !remaining.empty();) {
        const std::string_view line = nextLine(remaining);
        if (line.size() > 3 && line.substr(0, 3) == "cpu" && line[3] >= '0' && line[3] <= '9')
            ++count;
    }
    return count;
}

double ProcStatistics::nanosecondsPerProcessTick()
{
    return 1e9 / double(m_ticksPerSecond);
}

std::optional<MemoryStatistics> ProcStatistics::memory()
{
    thread_local std::string text;
    // Written in one go, like a process's files: a short read is the whole.
    if (!readMachineFile(m_meminfo, "meminfo", text, false))
        return std::nullopt;
    const auto total = keyedNumber(text, "MemTotal:");
    const auto available = keyedNumber(text, "MemAvailable:");
    if (!total || !available || *total == 0)
        return std::nullopt;
    // A count of 2^54 kB or more has no byte count in 64 bits: saturate
    // rather than wrap, so memory in use never exceeds the total.
    const auto bytes = [](quint64 kibibytes) {
        return kibibytes > std::numeric_limits<quint64>::max() / 1024 ? std::numeric_limits<quint64>::max()
                                                                        : kibibytes * 1024;
    };
    return MemoryStatistics { bytes(*total), bytes(*total - qMin(*total, *available)) };
}

bool ProcStatistics::isPhysical(const QByteArray &sysPath) const
{
    // Virtual devices (loop, zram, device-mapper, md, bridges, veth, ifb,
    // loopback) have no backing device link.
    return ::access((sysPath + "/device").constData(), F_OK) == 0;
}

namespace {

// A device's line, its numbers read only for the devices that count: most
// lines are loop devices and the loopback link, read every second for
// nothing otherwise.
struct DeviceLine
{
    std::string_view name;
    std::string_view numbers;
};

// Whether `lines` names the same devices, in the same order, as `names`.
bool sameNames(const std::vector<DeviceLine> &lines, const std::vector<std::string> &names)
{
    return lines.size() == names.size()
        && std::equal(lines.cbegin(), lines.cend(), names.cbegin(),
            [](const DeviceLine &line, const std::string &name) { return line.name == name; });
}

} // namespace

QHash<QString, ByteCounters> ProcStatistics::diskCounters()
{
    QHash<QString, ByteCounters> result;
    thread_local std::string text;
    if (!readMachineFile(m_diskstats, "diskstats", text, true))
        return result;
    std::vector<DeviceLine> lines;
    for (std::string_view remaining = text; !remaining.empty();) {
        std::string_view line = nextLine(remaining);
        nextToken(line); // major
        nextToken(line); // minor
        const std::string_view name = nextToken(line);
        if (!name.empty())
            lines.push_back({ name, line });
    }

    std::lock_guard lock(m_kindsMutex);
    // A device's kind does not change while its name stays; only a new set
    // of names (a disk attached or removed) is worth the probes.
    if (!sameNames(lines, m_disks.names)) {
        m_disks = {};
        for (const DeviceLine &line : lines) {
            m_disks.names.emplace_back(line.name);
            // Partitions have no entry of their own under /sys/block, so
            // only whole disks count and nothing is added twice.
            QByteArray sysName(line.name.data(), qsizetype(line.name.size()));
            sysName.replace('/', '!');
            if (isPhysical(m_sys + "/block/" + sysName))
                m_disks.counted.emplace(line.name);
        }
    }
    for (const DeviceLine &line : lines) {
        if (!m_disks.counted.count(std::string(line.name)))
            continue;
        std::string_view numbers = line.numbers;
        quint64 field[7] = {};
        if (readNumbers(numbers, field))
            result.insert(decodeName(line.name), ByteCounters { field[2] * sectorBytes, field[6] * sectorBytes });
    }
    return result;
}

QHash<QString, ByteCounters> ProcStatistics::networkCounters()
{
    QHash<QString, ByteCounters> result;
    thread_local std::string text;
    if (!readMachineFile(m_netdev, "net/dev", text, true))
        return result;
    std::vector<DeviceLine> lines;
    for (std::string_view remaining = text; !remaining.empty();) {
        const std::string_view line = nextLine(remaining);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::string_view name = line.substr(0, colon);
        name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
        if (!name.empty())
            lines.push_back({ name, line.substr(colon + 1) });
    }

    std::lock_guard lock(m_kindsMutex);
    if (!sameNames(lines, m_links.names)) {
        m_links = {};
        for (const DeviceLine &line : lines) {
            m_links.names.emplace_back(line.name);
            const QByteArray sysPath
                = m_sys + "/class/net/" + QByteArray(line.name.data(), qsizetype(line.name.size()));
            if (isPhysical(sysPath) && isEthernet(sysPath))
                m_links.counted.emplace(line.name);
        }
    }
    for (const DeviceLine &line : lines) {
        if (!m_links.counted.count(std::string(line.name)))
            continue;
        std::string_view numbers = line.numbers;
        quint64 field[9] = {};
        if (readNumbers(numbers, field))
            result.insert(decodeName(line.name), ByteCounters { field[0], field[8] });
    }
    return result;
}

QList<qint32> ProcStatistics::processIds()
{
    QList<qint32> pids;
    {
        std::lock_guard lock(m_listingMutex);
        // The listing stays open; reading it again from its start lists
        // the processes of now.
        if (m_listing)
            ::rewinddir(m_listing);
        else
            m_listing = ::opendir(m_proc.constData());
        if (!m_listing)
            return pids;
        // Room for a few more than last time, so the list is not regrown.
        pids.reserve(m_lastListed + m_lastListed / 8 + 16);
        while (const dirent *entry = ::readdir(m_listing)) {
            const std::string_view name(entry->d_name);
            if (name.empty() || name.front() < '1' || name.front() > '9')
                continue;
            const auto pid = toNumber(name);
            if (pid && *pid <= quint64(std::numeric_limits<qint32>::max()))
                pids.append(qint32(*pid));
        }
        m_lastListed = pids.size();
    }

    // A process that is no longer listed has ended: its files go. Each
    // listed one is marked in place, which costs one look-up per process and
    // nothing else.
    std::lock_guard lock(m_processMutex);
    if (!m_held.empty()) {
        const quint64 listing = ++m_listings;
        for (const qint32 pid : std::as_const(pids)) {
            if (const auto held = m_held.find(pid); held != m_held.end())
                held->second.listing = listing;
        }
        for (auto it = m_held.begin(); it != m_held.end();) {
            auto gone = it++;
            if (gone->second.listing != listing)
                release(gone);
        }
    }
    return pids;
}

std::optional<ProcStatistics::StatLine> ProcStatistics::readStat(qint32 pid, QString *name)
{
    std::string text;
    if (!readFile(pidPath(m_proc, pid, "stat"), text))
        return std::nullopt;
    std::string_view rawName;
    const auto stat = parseStat<StatLine>(text, &rawName);
    if (stat && name)
        *name = decodeName(rawName);
    return stat;
}

std::optional<quint32> ProcStatistics::readEffectiveUid(qint32 pid)
{
    // Read for every new process and every few seconds for each listed one.
    if (m_procDirectory < 0)
        return std::nullopt;
    if (m_isProcfs) {
        // procfs makes a process's directory belong to its effective user
        // (its files go to root while it is not dumpable, the directory
        // does not), so one call on the kept procfs directory says what the
        // status file would, without opening, reading and closing that.
        char name[16] = {};
        std::to_chars(name, name + sizeof name - 1, pid);
        struct stat directory {};
        if (::fstatat(m_procDirectory, name, &directory, 0) != 0)
            return std::nullopt;
        return quint32(directory.st_uid);
    }
    const HeldProcFile status = HeldProcFile::open(m_procDirectory, relativePidPath(pid, "status").c_str());
    thread_local std::string buffer;
    const auto text = status.readText(buffer);
    if (!text)
        return std::nullopt;
    const auto uid = keyedNumber(*text, "Uid:", 1);
    if (!uid || *uid > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(*uid);
}

ProcessIdentity ProcStatistics::makeIdentity(quint64 bootSeconds, const StatLine &stat, quint32 uid) const
{
    ProcessIdentity identity;
    identity.uid = uid;
    identity.started = bootSeconds * 1'000'000 + stat.startTicks * 1'000'000 / quint64(m_ticksPerSecond);
    identity.isKernelThread = (stat.flags & kernelThreadFlag) != 0;
    identity.hasExited = stat.state == 'Z' || stat.state == 'X';
    return identity;
}

std::optional<ProcessIdentity> ProcStatistics::identity(qint32 pid)
{
    // Always a fresh reading: ending a process must not rest on a kept one.
    const auto boot = m_bootTime;
    if (!boot || pid < 1)
        return std::nullopt;
    const auto stat = readStat(pid, nullptr);
    if (!stat)
        return std::nullopt;
    const auto uid = readEffectiveUid(pid);
    if (!uid)
        return std::nullopt;
    return makeIdentity(*boot, *stat, *uid);
}

std::optional<quint64> ProcStatistics::readDiskBytes(const HeldProcFile &io, std::string &buffer) const
{
    const auto text = io.readText(buffer);
    if (!text)
        return std::nullopt;
    // One pass over the lines for both counters.
    std::optional<quint64> read;
    std::optional<quint64> written;
    constexpr std::string_view readKey = "read_bytes:";
    constexpr std::string_view writeKey = "write_bytes:";
    for (std::string_view remaining = *text; !remaining.empty() && !(read && written);) {
        std::string_view line = nextLine(remaining);
        std::optional<quint64> *value = nullptr;
        if (!read && line.substr(0, readKey.size()) == readKey) {
            line.remove_prefix(readKey.size());
            value = &read;
        } else if (!written && line.substr(0, writeKey.size()) == writeKey) {
            line.remove_prefix(writeKey.size());
            value = &written;
        }
        if (value && !(*value = toNumber(nextToken(line))))
            return std::nullopt;
    }
    if (!read || !written)
        return std::nullopt;
    return *read + *written;
}

void ProcStatistics::release(std::unordered_map<qint32, HeldProcess>::iterator held)
{
    m_heldFiles -= int(held->second.stat.isOpen()) + int(held->second.io.isOpen());
    m_held.erase(held);
}

std::optional<ProcessStatistics> ProcStatistics::process(qint32 pid)
{
    const auto boot = m_bootTime;
    if (!boot || pid < 1 || m_procDirectory < 0)
        return std::nullopt;
    thread_local std::string buffer;
    std::optional<std::string_view> text;
    std::lock_guard lock(m_processMutex);

    auto held = m_held.find(pid);
    // A kept file that cannot be read belongs to a process that ended; the
    // id may already name another one.
    if (held != m_held.end() && !(text = held->second.stat.readText(buffer))) {
        release(held);
        held = m_held.end();
    }
    HeldProcess fresh;
    const bool isNew = held == m_held.end();
    if (isNew) {
        fresh.stat = HeldProcFile::open(m_procDirectory, relativePidPath(pid, "stat").c_str());
        if (!(text = fresh.stat.readText(buffer)))
            return std::nullopt;
    }
    HeldProcess &state = isNew ? fresh : held->second;

    std::string_view rawName;
    const auto stat = parseStat<StatLine>(*text, &rawName);
    if (!stat) {
        if (!isNew)
            release(held);
        return std::nullopt;
    }
    const quint64 started = makeIdentity(*boot, *stat, 0).started;
    // The owner is read for a new process, after an exec (a new name), and
    // now and then in case it changed its user.
    const bool isKernelThread = (stat->flags & kernelThreadFlag) != 0;
    const bool isNewProgram = isNew || started != state.started || rawName != state.name;
    if (isNewProgram)
        state.programName = programName(m_procDirectory, pid, rawName);
    if (isNewProgram || (--state.readingsUntilOwner <= 0 && !isKernelThread)) {
        const auto uid = readEffectiveUid(pid);
        if (!uid) {
            if (!isNew)
                release(held);
            return std::nullopt;
        }
        if (*uid != state.uid || started != state.started)
            state.ioRefused = false; // another user may read what this one could not
        state.uid = *uid;
        state.started = started;
        state.name = rawName;
        // Every so many readings; the first wait after a new program is
        // spread by process id, so the owners are not all read at once.
        state.readingsUntilOwner = isNewProgram
            ? readingsPerOwnerCheck - int(quint32(pid) % readingsPerOwnerCheck)
            : readingsPerOwnerCheck;
    }

    ProcessStatistics result;
    result.name = state.programName;
    result.identity = makeIdentity(*boot, *stat, state.uid);
    result.cpuTicks = stat->ticks;
    static const quint64 pageSize = quint64(qMax(1L, ::sysconf(_SC_PAGESIZE)));
    result.memory = stat->residentPages * pageSize;

    // Another user's io file is unreadable unless we are privileged. Kernel
    // threads are nobody's application and cannot be ended: their disk use
    // is not worth a reading every second.
    const bool hadIo = state.io.isOpen();
    if (result.identity.isKernelThread)
        state.ioRefused = true;
    if (!hadIo && !state.ioRefused) {
        state.io = HeldProcFile::open(m_procDirectory, relativePidPath(pid, "io").c_str());
        state.ioRefused = !state.io.isOpen();
    }
    thread_local std::string io;
    result.diskBytes = readDiskBytes(state.io, io);
    if (state.io.isOpen() && !result.diskBytes) {
        // Opened but refused on reading (the kernel checks access then).
        state.io.close();
        state.ioRefused = true;
    }

    if (isNew) {
        const int files = int(state.stat.isOpen()) + int(state.io.isOpen());
        // Kept only while the share of descriptors allows; otherwise the
        // files close and the next reading opens them again.
        if (m_heldFiles + files <= m_fileBudget) {
            m_heldFiles += files;
            m_held.emplace(pid, std::move(fresh));
        }
    } else {
        m_heldFiles += int(state.io.isOpen()) - int(hadIo);
    }
    return result;
}

void ProcStatistics::forgetProcesses()
{
    std::lock_guard lock(m_processMutex);
    m_held.clear();
    m_heldFiles = 0;
}

int ProcStatistics::heldProcessFiles() const
{
    std::lock_guard lock(m_processMutex);
    return m_heldFiles;
}

std::optional<QString> ProcStatistics::executablePath(qint32 pid)
{
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink(pidPath(m_proc, pid, "exe").constData(), buffer.data(), buffer.size());
    if (n < 1 || size_t(n) >= buffer.size())
        return std::nullopt;
    return QFile::decodeName(QByteArray(buffer.data(), n));
}

std::optional<QString> ProcStatistics::userName(quint32 uid)
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(size > 0 ? size : 16384));
    passwd entry {};
    passwd *found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_name)
        return std::nullopt;
    return QString::fromUtf8(found->pw_name);
}

} // namespace Velmora::Linux
