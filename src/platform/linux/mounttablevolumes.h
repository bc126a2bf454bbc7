#pragma once

#include "platform/volumes.h"

#include <QString>

namespace Velmora::Linux {

// The mounted volumes as the kernel's mount table lists them. A volume is
// read-only when it is mounted so, a disk image when its device is a loop
// device, and hidden when it is no block device at all (the kernel's own
// file systems) or lies below a hidden folder. Ejecting goes through udisks.
class MountTableVolumes final : public Volumes
{
public:
    // The table to read; a parameter so tests read a fixture.
    explicit MountTableVolumes(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                               QString udisksctl = QStringLiteral("udisksctl"));

    std::optional<QList<MountedVolume>> mountedVolumes() const override;
    std::optional<MountedVolume> volumeOf(const QString &path) const override;
    bool eject(const QString &volumePath) override;

    // The longest time one udisks call may take.
    static constexpr int commandTimeoutMs = 30000;

private:
    struct Mount
    {
        MountedVolume volume;
        QString device;
    };
    std::optional<QList<Mount>> mounts() const;

    QString m_mountInfoPath;
    QString m_udisksctl;
};

} // namespace Velmora::Linux
