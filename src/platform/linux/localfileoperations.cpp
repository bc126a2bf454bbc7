#include "platform/linux/localfileoperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <climits>
#include <unistd.h>

namespace Velmora::Linux {

namespace {

QString failure(const QString &what, const QString &path, const QString &reason)
{
    return QStringLiteral("%1 \u201c%2\u201d: %3").arg(what, path, reason);
}

std::optional<QString> copyItem(const QFileInfo &from, const QString &to)
{
    if (from.isSymLink()) {
        // The link itself with its own text: a relative link inside a bundle
        // keeps pointing inside the copy.
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(QFile::encodeName(from.filePath()).constData(), target.data(), target.size());
        if (length < 0 || ::symlink(target.left(length).constData(), QFile::encodeName(to).constData()) != 0)
            return failure(QStringLiteral("Could not copy the link"), from.filePath(),
                           QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    if (from.isDir()) {
        if (!QDir().mkdir(to))
            return failure(QStringLiteral("Could not create"), to, QString::fromLocal8Bit(std::strerror(errno)));
        const QDir folder(from.filePath());
        const QFileInfoList entries =
            folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : entries) {
            if (std::optional<QString> error = copyItem(entry, QDir(to).filePath(entry.fileName())))
                return error;
        }
        // Last, so a folder without write permission can still be filled.
        QFile::setPermissions(to, QFile::permissions(from.filePath()));
        return std::nullopt;
    }
    QFile source(from.filePath());
    if (!source.copy(to))
        return failure(QStringLiteral("Could not copy"), from.filePath(), source.errorString());
    return std::nullopt;
}

} // namespace

bool LocalFileOperations::exists(const QString &path) const
{
    // A dangling link is still something in the way.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString LocalFileOperations::resolvedPath(const QString &path) const
{
    // The longest part that exists is resolved; the rest is kept as written.
    QString existing = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    QStringList rest;
    while (!existing.isEmpty() && existing != u"/" && !QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        rest.prepend(info.fileName());
        existing = info.path();
    }
    QString resolved = QFileInfo(existing).canonicalFilePath();
    if (resolved.isEmpty())
        resolved = existing;
    for (const QString &part : rest)
        resolved = QDir(resolved).filePath(part);
    return QDir::cleanPath(resolved);
}

std::optional<QStringList> LocalFileOperations::items(const QString &folder) const
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

std::optional<QString> LocalFileOperations::copy(const QString &from, const QString &to)
{
    const QFileInfo source(from);
    if (!source.exists() && !source.isSymLink())
        return failure(QStringLiteral("Could not copy"), from, QStringLiteral("it does not exist"));
    if (exists(to))
        return failure(QStringLiteral("Could not copy to"), to, QStringLiteral("something is already there"));
    return copyItem(source, to);
}

std::optional<QString> LocalFileOperations::rename(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return failure(QStringLiteral("Could not rename"), from, QString::fromLocal8Bit(std::strerror(errno)));
    return std::nullopt;
}

std::optional<QString> LocalFileOperations::moveToTrash(const QString &path)
{
    QFile file(path);
    if (!file.moveToTrash())
        return failure(QStringLiteral("Could not move to the Trash"), path, file.errorString());
    return std::nullopt;
}

bool LocalFileOperations::remove(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

} // namespace Velmora::Linux
