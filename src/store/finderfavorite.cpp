#include "store/finderfavorite.h"

#include "platform/fileicons.h"

namespace Velmora {

namespace {

// Folder icons by path, shared by every favourite for the life of the process.
QHash<QString, QIcon> &iconCache()
{
    static QHash<QString, QIcon> icons;
    return icons;
}

} // namespace

FinderFavorite::FreshIcons FinderFavorite::FreshIcons::load(
    const QList<FinderFavorite> &favorites, FileIcons &workspace)
{
    FreshIcons fresh;
    for (const FinderFavorite &favorite : favorites) {
        const QString path = favorite.url.toLocalFile();
        if (!fresh.iconsByPath.contains(path))
            fresh.iconsByPath.insert(path, workspace.iconForFile(path));
    }
    return fresh;
}

QIcon FinderFavorite::icon(FileIcons &workspace) const
{
    const QString path = url.toLocalFile();
    QHash<QString, QIcon> &cache = iconCache();
    const auto cached = cache.constFind(path);
    if (cached != cache.cend())
        return *cached;
    const QIcon loaded = workspace.iconForFile(path);
    cache.insert(path, loaded);
    return loaded;
}

void FinderFavorite::replaceCachedIcons(const FreshIcons &icons)
{
    iconCache() = icons.iconsByPath;
}

} // namespace Velmora
