#include "platform/linux/gtkbookmarkfolders.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>

namespace Velmora::Linux {

namespace {

Q_LOGGING_CATEGORY(lcBookmarks, "velmora.bookmarks")

// The path a bookmark names, as file managers read it: repeated slashes,
// "." and ".." resolved by name, no trailing slash. Left as it is,
// "file:////tmp/x" has the path "//tmp/x", which QUrl turns back into a URL
// of the host "tmp". Nothing for a path that is not absolute: Qt's file
// classes take one starting with ':' for a built-in resource (and call it
// absolute), and a relative one would depend on the working folder.
std::optional<QString> normalisedPath(const QString &path)
{
    // An escaped NUL would cut the path short at the system call and stand
    // for another folder.
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QChar(0)))
        return std::nullopt;
    QString cleaned = QDir::cleanPath(path);
    // Above the root is the root.
    while (cleaned == QLatin1String("/..") || cleaned.startsWith(QLatin1String("/../")))
        cleaned = cleaned.size() == 3 ? QStringLiteral("/") : cleaned.mid(3);
    return cleaned;
}

} // namespace

GtkBookmarkFolders::GtkBookmarkFolders(QString bookmarksPath)
    : m_bookmarksPath(std::move(bookmarksPath))
{
}

QString GtkBookmarkFolders::defaultBookmarksPath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("gtk-3.0/bookmarks"));
}

std::optional<QList<FavoriteFolderEntry>> GtkBookmarkFolders::entries()
{
    QFile file(m_bookmarksPath);
    if (!file.exists())
        return QList<FavoriteFolderEntry> {};
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;

    QList<FavoriteFolderEntry> result;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        QUrl url(space < 0 ? line : line.left(space), QUrl::StrictMode);
        // Only local files: a host other than this machine would be a share.
        if (url.host() == QLatin1String("localhost"))
            url.setHost(QString());
        if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty())
            continue;
        const std::optional<QString> path = normalisedPath(url.toLocalFile()); // decodes percent escapes
        if (!path)
            continue;
        // Only a folder that is confirmed to be there is listed. Nothing
        // there is the usual case (a deleted folder, or one on a volume that
        // is not mounted); any other failure (no permission to look, a name
        // too long, a loop of links) is worth a line in the log.
        struct stat status {};
        if (::stat(QFile::encodeName(*path).constData(), &status) != 0) {
            const int error = errno;
            if (error != ENOENT && error != ENOTDIR) {
                qCInfo(lcBookmarks).noquote() << "Leaving out the bookmark" << *path << "as it cannot be checked:"
                                              << qt_error_string(error);
            }
            continue;
        }
        FavoriteFolderEntry entry;
        entry.isDirectory = S_ISDIR(status.st_mode);
        entry.url = QUrl::fromLocalFile(*path);
        entry.displayName = space < 0 ? QString() : line.mid(space + 1).trimmed();
        result.append(entry);
    }
    return result;
}

QString GtkBookmarkFolders::displayName(const QString &path)
{
    // Worked out from the text alone: a path is never handed to Qt's file
    // classes, which would read one starting with ':' as a resource.
    const QString cleaned = QDir::cleanPath(path);
    const QString name = cleaned.section(QLatin1Char('/'), -1);
    return name.isEmpty() ? cleaned : name;
}

} // namespace Velmora::Linux
