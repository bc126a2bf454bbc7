#pragma once

#include <QIcon>
#include <QString>

#include <optional>

namespace Velmora {

// Where icons of files and applications come from: the workspace's icon for
// a path, the location of an application by bundle identifier, and named
// symbol images. Failures yield nothing and the caller falls back.
class FileIcons
{
public:
    virtual ~FileIcons();

    // The workspace's icon for the file at `path`; a generic icon when the
    // file does not exist. May be called off the main thread; the icon it
    // returns is painted on the main thread.
    virtual QIcon iconForFile(const QString &path) = 0;
    // The location of the application with this bundle identifier, when known.
    virtual std::optional<QString> applicationPath(const QString &bundleIdentifier) = 0;
    // The named symbol image, or nothing when no such symbol is known.
    virtual std::optional<QIcon> symbolImage(const QString &name) = 0;
    // The location of this application's own bundle, so lists can show the
    // drawn product icon for it instead of the workspace's.
    virtual QString ownBundlePath() const = 0;
};

} // namespace Velmora
