// GTK bookmarks: every entry listed is a local folder's URL without a host,
// whose path is absolute, normalised and there.
//
// Input: the bookmarks file.
#include "fuzzsupport.h"

#include "platform/linux/gtkbookmarkfolders.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace Velmora;
using Velmora::Linux::GtkBookmarkFolders;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = Fuzz::scratchFolder() + QStringLiteral("/gtk-3.0/bookmarks");
    Fuzz::writeFile(path, QByteArrayView(data, qsizetype(size)));
    GtkBookmarkFolders folders(path);
    const std::optional<QList<FavoriteFolderEntry>> entries = folders.entries();
    FUZZ_CHECK(entries, QStringLiteral("a readable file gives a list"));
    for (const FavoriteFolderEntry &entry : *entries) {
        const QString url = entry.url.toString();
        FUZZ_CHECK(entry.url.isLocalFile() && entry.url.host().isEmpty(), url);
        const QString local = entry.url.toLocalFile();
        FUZZ_CHECK(local.startsWith(QLatin1Char('/')) && QDir::cleanPath(local) == local, url);
        FUZZ_CHECK(QUrl::fromLocalFile(local) == entry.url, url);
        struct stat status {};
        FUZZ_CHECK(::stat(QFile::encodeName(local).constData(), &status) == 0, url);
        FUZZ_CHECK(entry.isDirectory == S_ISDIR(status.st_mode), url);
        FUZZ_CHECK(!folders.displayName(local).isEmpty(), url);
    }
    return 0;
}
