#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

#include <optional>

namespace Velmora {

class FileIcons;

// Icons of the applications in the "Highest usage" lists, by path: each path
// is looked up once. Main thread only.
class AppIconCache
{
public:
    explicit AppIconCache(FileIcons &icons);

    // The product's own icon for its own bundle, the workspace's icon for any
    // other path, and a generic symbol (not kept) without a path.
    QIcon icon(const std::optional<QString> &path);

    // The icon of anything whose path is unknown.
    static QIcon fallback(FileIcons &icons);

private:
    FileIcons &m_icons;
    QHash<QString, QIcon> m_cache;
};

} // namespace Velmora
