#pragma once

#include "platform/fileicons.h"

namespace Velmora::Linux {

// Icons from the desktop's icon theme: a file's icon by its MIME type, an
// application by its desktop entry (named after the bundle identifier, as
// reverse-DNS desktop entries are), and the few symbols the product uses
// mapped to theme names. Theme lookups happen when an icon is first painted,
// on the main thread, so the icons can be made on any thread.
class XdgFileIcons final : public FileIcons
{
public:
    // `ownBundlePath` defaults to the running executable.
    explicit XdgFileIcons(QString ownBundlePath = {});

    QIcon iconForFile(const QString &path) override;
    std::optional<QString> applicationPath(const QString &bundleIdentifier) override;
    std::optional<QIcon> symbolImage(const QString &name) override;
    QString ownBundlePath() const override;

private:
    QString m_ownBundlePath;
};

} // namespace Velmora::Linux
