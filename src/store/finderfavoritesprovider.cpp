#include "store/finderfavoritesprovider.h"

#include "platform/favoritefolders.h"

#include <QDir>
#include <QSet>

namespace Velmora {

QList<FinderFavorite> FinderFavoritesProvider::favorites(FavoriteFolders &source)
{
    const std::optional<QList<FavoriteFolderEntry>> entries = source.entries();
    if (!entries)
        return {};
    QSet<QString> seen;
    QList<FinderFavorite> result;
    for (const FavoriteFolderEntry &entry : *entries) {
        if (!entry.url.isValid() || !entry.url.isLocalFile() || entry.url.toLocalFile().isEmpty())
            continue;
        const QUrl location = QUrl::fromLocalFile(QDir::cleanPath(entry.url.toLocalFile()));
        if (entry.isDirectory == false)
            continue;
        const QString id = location.toString(QUrl::FullyEncoded);
        if (seen.contains(id))
            continue;
        seen.insert(id);
        const QString name
            = entry.displayName.isEmpty() ? source.displayName(location.toLocalFile()) : entry.displayName;
        result.append(FinderFavorite { name, location, id });
    }
    return result;
}

} // namespace Velmora
