#include "platform/linux/gtkbookmarkfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>

namespace Velmora::Linux {

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
        const QString path = url.toLocalFile(); // decodes percent escapes
        // An escaped NUL would cut the path short at the system call and
        // stand for another folder.
        if (!QDir::isAbsolutePath(path) || path.contains(QChar(0)))
            continue;
        FavoriteFolderEntry entry;
        struct stat status {};
        if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
            entry.isDirectory = S_ISDIR(status.st_mode);
        } else if (errno == ENOENT || errno == ENOTDIR) {
            // Nothing there: a deleted folder, or one on a volume that is not
            // mounted. Such a bookmark does not resolve, and nothing is
            // mounted to make it.
            continue;
        } // any other failure (no permission to look) leaves the type unknown, and the entry in
        entry.url = QUrl::fromLocalFile(path);
        entry.displayName = space < 0 ? QString() : line.mid(space + 1).trimmed();
        result.append(entry);
    }
    return result;
}

QString GtkBookmarkFolders::displayName(const QString &path)
{
    const QString cleaned = QDir::cleanPath(path);
    const QString name = QFileInfo(cleaned).fileName();
    return name.isEmpty() ? cleaned : name;
}

} // namespace Velmora::Linux
