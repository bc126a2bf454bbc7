#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace Velmora {

// One item of the user's favourite folders as the platform lists it.
struct FavoriteFolderEntry
{
    // The resolved location; empty when the item could not be resolved
    // without user interaction or mounting a volume.
    QUrl url;
    // The item's own label; may be empty.
    QString displayName;
    // Whether the location is a folder; absent when that could not be read.
    std::optional<bool> isDirectory;

    friend bool operator==(const FavoriteFolderEntry &, const FavoriteFolderEntry &) = default;
};

// The user's favourite folders, in the order the file manager shows them.
// Both calls are safe off the main thread.
class FavoriteFolders
{
public:
    virtual ~FavoriteFolders();

    // Nothing when the list cannot be had at all.
    virtual std::optional<QList<FavoriteFolderEntry>> entries() = 0;
    // The file manager's display name for a path.
    virtual QString displayName(const QString &path) = 0;
};

} // namespace Velmora
