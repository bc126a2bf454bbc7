#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// One mounted volume.
struct MountedVolume
{
    // Where it is mounted.
    QString path;
    bool isReadOnly = false;
    // Not shown to the user (a system volume).
    bool isHidden = false;
    // A disk image attached as a disk, rather than a disk, disc or network share.
    bool isDiskImage = false;

    friend bool operator==(const MountedVolume &, const MountedVolume &) = default;
};

// The mounted volumes. Safe to call from a background thread; eject() may
// take seconds.
class Volumes
{
public:
    virtual ~Volumes();

    // Nothing when the list is unavailable.
    virtual std::optional<QList<MountedVolume>> mountedVolumes() const = 0;
    // The volume that holds `path`; nothing when that cannot be read.
    virtual std::optional<MountedVolume> volumeOf(const QString &path) const = 0;
    // Unmounts the volume and ejects its disk; false when it refused.
    virtual bool eject(const QString &volumePath) = 0;
};

} // namespace Velmora
