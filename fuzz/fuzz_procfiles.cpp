// /proc and /sys files: nothing crashes, and memory in use never exceeds the
// total.
//
// Input: the files' contents, separated by NUL bytes, in this order:
// meminfo, stat, diskstats, net/dev, and pid 42's stat, status and io; then
// the type of the link eth0. A file the input does not reach is missing.
#include "fuzzsupport.h"

#include "platform/linux/procstatistics.h"

#include <QDir>
#include <QFile>

using namespace Velmora;
using Velmora::Linux::ProcStatistics;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const files[]
        = { "proc/meminfo", "proc/stat", "proc/diskstats", "proc/net/dev", "proc/42/stat", "proc/42/status",
              "proc/42/io", "sys/class/net/eth0/type" };
    const QString root = Fuzz::scratchFolder() + QStringLiteral("/machine");
    static const bool prepared = [&] {
        // A disk and a link that count as physical, whatever their counters say.
        return QDir().mkpath(root + QStringLiteral("/sys/block/vda/device"))
            && QDir().mkpath(root + QStringLiteral("/sys/class/net/eth0/device"));
    }();
    FUZZ_CHECK(prepared, root);

    const QList<QByteArray> contents = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    for (size_t i = 0; i < std::size(files); ++i) {
        const QString path = root + QLatin1Char('/') + QLatin1String(files[i]);
        if (qsizetype(i) < contents.size())
            Fuzz::writeFile(path, contents[qsizetype(i)]);
        else
            QFile::remove(path);
    }

    ProcStatistics statistics(root + QStringLiteral("/proc"), root + QStringLiteral("/sys"));
    statistics.cpuTicks();
    if (const std::optional<MemoryStatistics> memory = statistics.memory()) {
        FUZZ_CHECK(memory->used <= memory->total,
            QStringLiteral("%1 bytes used of %2").arg(memory->used).arg(memory->total));
    }
    statistics.diskCounters();
    statistics.networkCounters();
    statistics.processorCount();
    for (qint32 pid : statistics.processIds()) {
        statistics.process(pid);
        statistics.identity(pid);
        statistics.executablePath(pid);
    }
    statistics.userName(42);
    return 0;
}
