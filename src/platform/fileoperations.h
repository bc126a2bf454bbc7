#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Velmora {

// Files and folders on disk, for installing the application. Every change
// returns nothing on success, otherwise a description of the failure that
// can be shown to the user.
class FileOperations
{
public:
    virtual ~FileOperations();

    virtual bool exists(const QString &path) const = 0;
    // `path` absolute, with symbolic links resolved and "." and ".." gone; a
    // part that does not exist is kept as written.
    virtual QString resolvedPath(const QString &path) const = 0;
    // The names of the items directly inside `folder`; nothing when it cannot be read.
    virtual std::optional<QStringList> items(const QString &folder) const = 0;

    // Copies a file or a whole folder to `to`, which must not exist yet.
    // Symbolic links stay links, permissions are kept.
    virtual std::optional<QString> copy(const QString &from, const QString &to) = 0;
    // Within one volume.
    virtual std::optional<QString> rename(const QString &from, const QString &to) = 0;
    virtual std::optional<QString> moveToTrash(const QString &path) = 0;
    // Deletes a file or a whole folder; a missing one counts as deleted.
    virtual bool remove(const QString &path) = 0;
};

} // namespace Velmora
