#include "taskmanager/sampling/processmetadataresolver.h"

#include "platform/systemstatistics.h"

#include <QFileInfo>

namespace Velmora::ProcessMetadataResolver {

namespace {

bool isSameRun(SystemStatistics &statistics, const ManagedProcess &process)
{
    const auto identity = statistics.identity(process.id);
    return identity && identity->started == process.started && identity->uid == process.uid;
}

} // namespace

std::optional<QString> executablePath(SystemStatistics &statistics, qint32 pid)
{
    return statistics.executablePath(pid);
}

std::optional<QString> executablePath(SystemStatistics &statistics, const ManagedProcess &process)
{
    if (!isSameRun(statistics, process))
        return std::nullopt;
    auto path = statistics.executablePath(process.id);
    // The id may have passed to another process while the path was read.
    if (!path || !isSameRun(statistics, process) || !QFileInfo::exists(*path))
        return std::nullopt;
    return path;
}

std::optional<QUrl> applicationURL(const QString &path)
{
    // Walking up a relative path never reaches "/"; only absolute paths name
    // a place we could show anyway.
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString folder;
    // The folders that contain the path, from the root down, so the first
    // bundle found is the outermost; the last part is the file itself.
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder += QLatin1Char('/') + parts[i];
        if (parts[i].size() > 4 && parts[i].endsWith(QLatin1String(".app"), Qt::CaseInsensitive))
            return QUrl::fromLocalFile(folder);
    }
    return std::nullopt;
}

} // namespace Velmora::ProcessMetadataResolver
