#pragma once

#include "platform/favoritefolders.h"

namespace Velmora::Linux {

// Favourite folders from the GTK bookmarks file that Linux file managers
// share: one "file://" URI per line, optionally followed by a space and a
// label. Other schemes (network shares, remote servers) are left out, since
// reaching them could block or prompt, and so is a bookmark whose folder
// cannot be confirmed to be there, as an item that does not resolve.
class GtkBookmarkFolders final : public FavoriteFolders
{
public:
    explicit GtkBookmarkFolders(QString bookmarksPath = defaultBookmarksPath());

    // "$XDG_CONFIG_HOME/gtk-3.0/bookmarks", or under ~/.config without it.
    static QString defaultBookmarksPath();

    // A missing file is an empty list; an unreadable one is nothing.
    std::optional<QList<FavoriteFolderEntry>> entries() override;
    QString displayName(const QString &path) override;

private:
    QString m_bookmarksPath;
};

} // namespace Velmora::Linux
