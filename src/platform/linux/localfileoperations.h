#pragma once

#include "platform/fileoperations.h"

namespace Velmora::Linux {

// Files on this machine. The Trash is the desktop's (the freedesktop.org
// trash of the file's volume).
class LocalFileOperations final : public FileOperations
{
public:
    bool exists(const QString &path) const override;
    QString resolvedPath(const QString &path) const override;
    std::optional<QStringList> items(const QString &folder) const override;
    std::optional<QString> copy(const QString &from, const QString &to) override;
    std::optional<QString> rename(const QString &from, const QString &to) override;
    std::optional<QString> moveToTrash(const QString &path) override;
    bool remove(const QString &path) override;
};

} // namespace Velmora::Linux
