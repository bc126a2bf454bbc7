#include "store/appitem.h"

#include "platform/fileicons.h"
#include "store/velmoraicon.h"

namespace Velmora {

const QString AppItem::taskManagerID = QStringLiteral("velmora-health-check");
const QString AppItem::settingsID = QStringLiteral("velmora-settings");
const QString AppItem::setupID = QStringLiteral("velmora-setup");
const QString AppItem::ownWindowsID = QStringLiteral("velmora-windows");

namespace {

AppItem defaultPin(const char *bundleID, const char *name)
{
    const QString id = QString::fromLatin1(bundleID);
    return AppItem { id, QString::fromUtf8(name), id, std::nullopt, false, std::nullopt };
}

AppItem pseudoApp(const QString &id, const char *name, std::optional<QString> symbol)
{
    return AppItem { id, QString::fromUtf8(name), std::nullopt, std::nullopt, true, std::move(symbol) };
}

QHash<QString, QIcon> &fileIconCache()
{
    static QHash<QString, QIcon> icons;
    return icons;
}

template<typename T> size_t hashOptional(const std::optional<T> &value, size_t seed)
{
    // Absent and present-but-empty must hash apart, as they compare apart.
    return value ? qHashMulti(seed, true, *value) : ::qHash(false, seed);
}

} // namespace

QIcon AppItem::icon(FileIcons &workspace) const
{
    // The Task Manager is not among these: it has a symbol of its own.
    if (id == settingsID || id == setupID || id == ownWindowsID)
        return VelmoraIcon::ownAppIcon();
    if (systemImageName) {
        if (std::optional<QIcon> symbol = workspace.symbolImage(*systemImageName))
            return *symbol;
    }
    if (url)
        return fileIcon(url->isLocalFile() ? url->toLocalFile() : url->path(QUrl::FullyDecoded), workspace);
    if (bundleIdentifier) {
        if (std::optional<QString> location = workspace.applicationPath(*bundleIdentifier))
            return fileIcon(*location, workspace);
    }
    if (std::optional<QIcon> generic = workspace.symbolImage(QStringLiteral("app")))
        return *generic;
    return QIcon();
}

QIcon AppItem::fileIcon(const QString &path, FileIcons &workspace)
{
    QHash<QString, QIcon> &cache = fileIconCache();
    const auto cached = cache.constFind(path);
    if (cached != cache.cend())
        return *cached;
    const QIcon icon = VelmoraIcon::isOwnBundle(path, workspace.ownBundlePath()) ? VelmoraIcon::ownAppIcon()
                                                                                 : workspace.iconForFile(path);
    cache.insert(path, icon);
    return icon;
}

void AppItem::dropCachedFileIcons()
{
    fileIconCache().clear();
}

QStringList AppItem::ids(const QList<AppItem> &items)
{
    QStringList ids;
    ids.reserve(items.size());
    for (const AppItem &item : items)
        ids.append(item.id);
    return ids;
}

const QList<AppItem> &AppItem::pinnedDefaults()
{
    static const QList<AppItem> pins {
        defaultPin("com.apple.finder", "Finder"),
        defaultPin("com.apple.Safari", "Safari"),
        defaultPin("com.apple.mail", "Mail"),
        defaultPin("com.apple.MobileSMS", "Messages"),
        defaultPin("com.apple.iCal", "Calendar"),
        defaultPin("com.apple.AppStore", "App Store"),
        defaultPin("com.apple.systempreferences", "System Settings"),
    };
    return pins;
}

const AppItem &AppItem::taskManager()
{
    static const AppItem item
        = pseudoApp(taskManagerID, "Task Manager", QStringLiteral("waveform.path.ecg.rectangle.fill"));
    return item;
}

const AppItem &AppItem::velmoraSettings()
{
    static const AppItem item = pseudoApp(settingsID, "Velmora Settings", std::nullopt);
    return item;
}

const AppItem &AppItem::velmoraSetup()
{
    static const AppItem item = pseudoApp(setupID, "Velmora Setup", std::nullopt);
    return item;
}

size_t qHash(const AppItem &item, size_t seed) noexcept
{
    seed = qHashMulti(seed, item.id, item.name);
    seed = hashOptional(item.bundleIdentifier, seed);
    seed = hashOptional(item.url, seed);
    seed = ::qHash(item.isRunning, seed);
    return hashOptional(item.systemImageName, seed);
}

} // namespace Velmora
