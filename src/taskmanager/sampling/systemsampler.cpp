#include "taskmanager/sampling/systemsampler.h"

#include "platform/clock.h"
#include "taskmanager/sampling/processmetadataresolver.h"
#include "taskmanager/sampling/processnetworkreader.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <QFileInfo>

#include <cmath>

namespace Velmora {

namespace {

constexpr int topLimit = 3;

// Tick counters may be 32 bits wide and wrap; a difference taken modulo 2^32
// is right either way as long as less than 2^32 ticks pass between two
// measurements.
quint64 tickDelta(quint64 current, quint64 previous)
{
    return quint64(quint32(current - previous));
}

} // namespace

SystemSampler::SystemSampler(
    SystemStatistics &statistics, const Clock &clock, std::unique_ptr<ProcessNetworkReader> network)
    : m_statistics(statistics)
    , m_clock(clock)
    , m_network(std::move(network))
{
}

SystemSampler::~SystemSampler() = default;

double SystemSampler::uptime() const
{
    return double(m_clock.monotonicMs()) / 1000.0;
}

SystemSample SystemSampler::sample(bool includeProcesses)
{
    const double now = uptime();
    std::optional<double> elapsed;
    if (m_lastTime)
        elapsed = now - *m_lastTime;

    SystemSample sample;
    sample.timestamp = m_clock.wallClockMs();
    measureCpu(sample);
    measureMemory(sample);

    const auto disk = m_statistics.diskCounters();
    const auto network = m_statistics.networkCounters();
    if (elapsed && *elapsed > 0) {
        if (const auto r = rates(disk, m_lastDisk, *elapsed)) {
            sample.diskRead = r->first;
            sample.diskWrite = r->second;
        }
        if (const auto r = rates(network, m_lastNetwork, *elapsed)) {
            sample.download = r->first;
            sample.upload = r->second;
        }
    }
    m_lastDisk = disk;
    m_lastNetwork = network;

    if (includeProcesses) {
        m_listsProcesses = true;
        m_network->start();
        measureProcesses(sample, elapsed);
        sample.top = TopConsumers::rank(m_shares, topLimit);

        if (m_pendingNetworkWindow) {
            const Window window = *m_pendingNetworkWindow;
            sample.revisedNetwork
                = SystemSample::NetworkRevision { window.timestamp, networkTop(window.start, window.end) };
        }
        const double windowStart = m_lastTime.value_or(now - 1);
        sample.top.network = networkTop(windowStart, now);
        sample.processNetworkAvailable = m_network->isAvailable();
        // The tool's blocks for this window are rarely complete yet: read the
        // same window again next time and hand it back as a revision.
        m_pendingNetworkWindow = Window { windowStart, now, sample.timestamp };
    } else {
        m_pendingNetworkWindow.reset();
        m_tracked.clear();
        m_shares = {};
        m_network->stop();
        // Once, when the listing stops, not every second after.
        if (m_listsProcesses)
            m_statistics.forgetProcesses();
        m_listsProcesses = false;
    }

    m_lastTime = now;
    return sample;
}

void SystemSampler::measureCpu(SystemSample &sample)
{
    const auto ticks = m_statistics.cpuTicks();
    if (!ticks)
        return;
    if (m_lastCpu) {
        const quint64 user = tickDelta(ticks->user, m_lastCpu->user);
        const quint64 system = tickDelta(ticks->system, m_lastCpu->system);
        const quint64 idle = tickDelta(ticks->idle, m_lastCpu->idle);
        const quint64 nice = tickDelta(ticks->nice, m_lastCpu->nice);
        const quint64 total = user + system + idle + nice;
        if (total > 0)
            sample.cpu = (1.0 - double(idle) / double(total)) * 100.0;
    }
    m_lastCpu = ticks;
}

void SystemSampler::measureMemory(SystemSample &sample)
{
    const auto memory = m_statistics.memory();
    if (!memory || memory->total == 0)
        return;
    sample.memoryUsed = std::min(memory->used, memory->total);
    sample.memory = double(sample.memoryUsed) * 100.0 / double(memory->total);
}

std::optional<std::pair<double, double>> SystemSampler::rates(
    const QHash<QString, ByteCounters> &current, const QHash<QString, ByteCounters> &previous, double elapsed)
{
    std::optional<std::pair<double, double>> result;
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        const auto before = previous.constFind(it.key());
        // A counter that went back wrapped or was reset: its interval is lost.
        if (before == previous.cend() || it->first < before->first || it->second < before->second)
            continue;
        if (!result)
            result.emplace(0.0, 0.0);
        result->first += double(it->first - before->first) / elapsed;
        result->second += double(it->second - before->second) / elapsed;
    }
    return result;
}

void SystemSampler::measureProcesses(SystemSample &sample, std::optional<double> elapsed)
{
    const QList<qint32> pids = m_statistics.processIds();
    const int processors = m_statistics.processorCount();
    const double nanosecondsPerTick = m_statistics.nanosecondsPerProcessTick();
    const bool canRate = elapsed && *elapsed > 0;
    const bool canComputeCpu
        = canRate && processors >= 1 && nanosecondsPerTick > 0 && std::isfinite(nanosecondsPerTick);
    const quint64 previous = m_measurement++;
    const quint64 current = m_measurement;

    m_tracked.reserve(pids.size());
    // Kept from one measurement to the next, so its storage is not
    // allocated and touched afresh each time.
    m_shares.clear();
    m_shares.reserve(pids.size());
    sample.processes.reserve(pids.size());

    for (const qint32 pid : pids) {
        if (pid < 1)
            continue;
        const auto stats = m_statistics.process(pid);
        if (!stats)
            continue;
        const quint64 started = stats->identity.started;
        const QString name = stats->name.isEmpty() ? TaskManagerText::unnamedProcess(pid) : stats->name;

        auto found = m_tracked.find(pid);
        if (found == m_tracked.end())
            found = m_tracked.emplace(pid, Tracked { resolveIdentity(pid, started, name), {}, {}, 0 }).first;
        else if (found->second.identity.started != started)
            found->second = Tracked { resolveIdentity(pid, started, name), {}, {}, 0 };
        Tracked &tracked = found->second;
        // Counters are compared only with the previous call's reading of
        // the same run of the process.
        const bool wasListed = tracked.listed == previous && previous > 0;

        std::optional<double> cpu;
        if (stats->cpuTicks) {
            const quint64 ticks = *stats->cpuTicks;
            const auto last = wasListed ? tracked.ticks : std::nullopt;
            if (canComputeCpu && last && ticks >= *last) {
                const double percent
                    = nanosecondsPerTick * double(ticks - *last) / 1e9 / *elapsed / double(processors) * 100.0;
                cpu = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
            }
        }
        tracked.ticks = stats->cpuTicks;

        double diskRate = 0;
        if (stats->diskBytes) {
            const quint64 bytes = *stats->diskBytes;
            const auto last = wasListed ? tracked.diskBytes : std::nullopt;
            if (canRate && last && bytes >= *last)
                diskRate = double(bytes - *last) / *elapsed;
        }
        tracked.diskBytes = stats->diskBytes;
        tracked.listed = current;

        const Identity &identity = tracked.identity;
        sample.processes.append(ManagedProcess {
            pid, name, ownerName(stats->identity.uid), stats->identity.uid, started, cpu, stats->memory });
        m_shares.append(ProcessResourceShare {
            name, identity.app, identity.executable, cpu.value_or(0), double(stats->memory.value_or(0)), diskRate, 0 });
    }

    // Processes that this call and the one before did not list are gone.
    std::erase_if(m_tracked, [previous](const auto &entry) { return entry.second.listed < previous; });
}

SystemSampler::Identity SystemSampler::resolveIdentity(qint32 pid, quint64 started, const QString &name)
{
    Identity identity { started, name, ProcessMetadataResolver::executablePath(m_statistics, pid), std::nullopt };
    if (identity.executable) {
        if (const auto bundle = ProcessMetadataResolver::applicationURL(*identity.executable)) {
            const QString path = bundle->toLocalFile();
            identity.app = AppIdentity { path, QFileInfo(path).completeBaseName() };
        }
    }
    return identity;
}

QString SystemSampler::ownerName(quint32 uid)
{
    auto found = m_owners.constFind(uid);
    if (found == m_owners.cend())
        found = m_owners.insert(uid, m_statistics.userName(uid).value_or(QString::number(uid)));
    return *found;
}

QList<AppUsage> SystemSampler::networkTop(double from, double to)
{
    const QHash<qint32, double> rates = m_network->rates(from, to);
    QList<ProcessResourceShare> rows;
    rows.reserve(rates.size());
    for (auto it = rates.cbegin(); it != rates.cend(); ++it) {
        const auto tracked = m_tracked.find(it.key());
        if (tracked != m_tracked.end()) {
            const Identity &identity = tracked->second.identity;
            rows.append(
                ProcessResourceShare { identity.name, identity.app, identity.executable, 0, 0, 0, it.value() });
            continue;
        }
        // A process that ended between the tool's report and our listing
        // still used the network. The tool's name for it has already passed
        // the log's control-character check, so it cannot forge rows.
        QString name = m_network->name(it.key()).value_or(QString());
        if (name.isEmpty())
            name = TaskManagerText::unnamedProcess(it.key());
        rows.append(ProcessResourceShare { name, std::nullopt, std::nullopt, 0, 0, 0, it.value() });
    }
    return TopConsumers::top(rows, &ProcessResourceShare::network, topLimit);
}

} // namespace Velmora
