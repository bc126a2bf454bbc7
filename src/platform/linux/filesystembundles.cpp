#include "platform/linux/filesystembundles.h"

#include "platform/linux/propertylistshape.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <plist/plist.h>

#include <memory>

namespace Velmora::Linux {

namespace {

Q_LOGGING_CATEGORY(lcBundles, "velmora.bundles")

void collectApplications(const QString &folder, QStringList &found)
{
    // Hidden entries are left out because the filter does not ask for them.
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        // A linked application is listed like any other (installers link apps
        // into the user's folder), but the search never descends through a
        // link: it may point back up the tree or anywhere on the disk.
        if (entry.suffix() == QLatin1String("app"))
            found.append(entry.filePath());
        else if (entry.isDir() && !entry.isSymLink() && !ApplicationBundles::isPackageName(entry.fileName()))
            collectApplications(entry.filePath(), found);
    }
}

struct PlistDeleter
{
    void operator()(void *node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

std::optional<QString> stringValue(plist_t dict, const char *key)
{
    const plist_t node = plist_dict_get_item(dict, key);
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return std::nullopt;
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(node, &length);
    if (!text)
        return std::nullopt;
    return QString::fromUtf8(text, qsizetype(length));
}

// An info list is a few kilobytes; anything near this size is not one.
constexpr qint64 maxPropertyListBytes = 8 * 1024 * 1024;

} // namespace

QStringList FileSystemBundles::findApplications(const QStringList &folders) const
{
    QStringList found;
    for (const QString &folder : folders) {
        const QFileInfo root(folder);
        if (root.isDir())
            collectApplications(root.filePath(), found);
    }
    return found;
}

std::optional<BundleInfo> FileSystemBundles::info(const QString &bundlePath) const
{
    const QDir bundle(bundlePath);
    for (const char *relative : { "Contents/Info.plist", "Info.plist" }) {
        const QFileInfo entry(bundle.filePath(QString::fromLatin1(relative)));
        if (!entry.exists())
            continue;
        // Only a regular file is read: a pipe or a device in its place would
        // block the scan, and with it the application's exit, for ever.
        QFile file(entry.filePath());
        if (!entry.isFile() || entry.size() > maxPropertyListBytes || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray data = file.read(maxPropertyListBytes + 1);
        if (data.isEmpty() || data.size() > maxPropertyListBytes)
            return std::nullopt;
        return infoFromPropertyList(data, entry.filePath());
    }
    return std::nullopt;
}

std::optional<BundleInfo> FileSystemBundles::infoFromPropertyList(const QByteArray &data, const QString &origin)
{
    // Anything in the user's own applications folder is read here, so the
    // list is measured before the library, which recurses, may see it.
    const PropertyListShape shape = PropertyListShape::measure(data);
    if (!shape.isAcceptable()) {
        qCWarning(lcBundles).noquote() << "Not reading" << origin << "as a property list:" << shape.problem();
        return std::nullopt;
    }
    plist_t rawRoot = nullptr;
    plist_from_memory(data.constData(), uint32_t(data.size()), &rawRoot);
    const PlistPtr root(rawRoot);
    if (!root || plist_get_node_type(rawRoot) != PLIST_DICT)
        return std::nullopt;
    return BundleInfo { stringValue(rawRoot, "CFBundleIdentifier"), stringValue(rawRoot, "CFBundleName"),
        stringValue(rawRoot, "CFBundleDisplayName") };
}

} // namespace Velmora::Linux
