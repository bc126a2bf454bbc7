#include "platform/linux/mounttablevolumes.h"

#include "platform/linux/localapplicationprocesses.h"

#include <QFile>
#include <QFileInfo>

namespace Velmora::Linux {

namespace {

// The table writes a space, tab, line feed and backslash as three octal digits.
QString unescaped(const QByteArray &field)
{
    QByteArray result;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                result += char(code);
                i += 3;
                continue;
            }
        }
        result += field[i];
    }
    return QFile::decodeName(result);
}

bool hasOption(const QByteArray &options, const char *option)
{
    return options.split(',').contains(option);
}

bool isBelowHiddenFolder(const QString &path)
{
    for (const QString &part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part.startsWith(u'.'))
            return true;
    }
    return false;
}

bool succeeds(const QString &program, const QStringList &arguments)
{
    bool succeeded = false;
    LocalApplicationProcesses::runWithin(program, arguments, MountTableVolumes::commandTimeoutMs, &succeeded);
    return succeeded;
}

} // namespace

MountTableVolumes::MountTableVolumes(QString mountInfoPath, QString udisksctl)
    : m_mountInfoPath(std::move(mountInfoPath))
    , m_udisksctl(std::move(udisksctl))
{
}

std::optional<QList<MountTableVolumes::Mount>> MountTableVolumes::mounts() const
{
    QFile file(m_mountInfoPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QList<Mount> result;
    for (const QByteArray &line : file.readAll().split('\n')) {
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 6 || separator < 6 || separator + 3 > fields.size())
            continue;
        Mount mount;
        mount.device = unescaped(fields[separator + 2]);
        mount.volume.path = unescaped(fields[4]);
        mount.volume.isReadOnly = hasOption(fields[5], "ro")
            || (separator + 3 < fields.size() && hasOption(fields[separator + 3], "ro"));
        mount.volume.isDiskImage = mount.device.startsWith(QStringLiteral("/dev/loop"));
        mount.volume.isHidden = !mount.device.startsWith(QStringLiteral("/dev/")) || isBelowHiddenFolder(mount.volume.path);
        result += mount;
    }
    return result;
}

std::optional<QList<MountedVolume>> MountTableVolumes::mountedVolumes() const
{
    const std::optional<QList<Mount>> all = mounts();
    if (!all)
        return std::nullopt;
    QList<MountedVolume> result;
    for (const Mount &mount : *all)
        result += mount.volume;
    return result;
}

std::optional<MountedVolume> MountTableVolumes::volumeOf(const QString &path) const
{
    const std::optional<QList<Mount>> all = mounts();
    if (!all)
        return std::nullopt;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString target = canonical.isEmpty() ? path : canonical;
    std::optional<MountedVolume> best;
    // Later mounts cover earlier ones at the same place.
    for (const Mount &mount : *all) {
        const QString &point = mount.volume.path;
        const bool holds = target == point || point == u"/"
            || target.startsWith(point.endsWith(u'/') ? point : point + u'/');
        if (holds && (!best || point.size() >= best->path.size()))
            best = mount.volume;
    }
    return best;
}

bool MountTableVolumes::eject(const QString &volumePath)
{
    const std::optional<QList<Mount>> all = mounts();
    if (!all)
        return false;
    QString device;
    for (const Mount &mount : *all) {
        if (mount.volume.path == volumePath)
            device = mount.device;
    }
    if (!device.startsWith(QStringLiteral("/dev/")))
        return false;
    if (!succeeds(m_udisksctl, {QStringLiteral("unmount"), QStringLiteral("-b"), device}))
        return false;
    // A disk image's loop device is let go; a real disk is powered off.
    const QString detach = device.startsWith(QStringLiteral("/dev/loop")) ? QStringLiteral("loop-delete")
                                                                           : QStringLiteral("power-off");
    succeeds(m_udisksctl, {detach, QStringLiteral("-b"), device});
    return true;
}

} // namespace Velmora::Linux
