#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <QUrl>

namespace Velmora {

class FileIcons;

// One folder of the user's favourites, as the Start menu's "From Finder"
// section and the Finder button's menu list it.
struct FinderFavorite
{
    QString name;
    // Standardized file location.
    QUrl url;
    // The location as an absolute string; unique within a list.
    QString id;

    friend bool operator==(const FinderFavorite &, const FinderFavorite &) = default;

    // Icons loaded away from the main thread, so the main thread only swaps them in.
    struct FreshIcons
    {
        QHash<QString, QIcon> iconsByPath;
        // One icon per favourite; for a path listed twice the first stays.
        static FreshIcons load(const QList<FinderFavorite> &favorites, FileIcons &workspace);
    };

    // The folder's icon from the shared cache, fetched from the workspace on a
    // miss. Main thread only.
    QIcon icon(FileIcons &workspace) const;
    // Replaces the whole shared cache. Main thread only.
    static void replaceCachedIcons(const FreshIcons &icons);
};

} // namespace Velmora
