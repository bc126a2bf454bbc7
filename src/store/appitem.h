#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Velmora {

class FileIcons;

// One application wherever the product lists applications: a bar button, an
// overflow row, a Start-menu tile or row, a search result. A plain value;
// the lists that hold items live in the store.
struct AppItem
{
    QString id;
    QString name;
    std::optional<QString> bundleIdentifier;
    std::optional<QUrl> url;
    bool isRunning = false;
    std::optional<QString> systemImageName;

    // Equality is over every field, so two items for the same application
    // that differ only in isRunning are different; lookups compare ids.
    friend bool operator==(const AppItem &, const AppItem &) = default;

    static const QString taskManagerID; // "velmora-health-check"
    static const QString settingsID; // "velmora-settings"
    static const QString setupID; // "velmora-setup"
    static const QString ownWindowsID; // "velmora-windows"

    // The icon views show for this item. The product's own windows show the
    // drawn product icon; otherwise a known symbol, then the icon of the
    // item's location (its bundle identifier is not consulted then), then the
    // icon of the application found by bundle identifier, then the generic
    // "app" symbol, and an empty icon when even that is unknown.
    // Main thread only.
    QIcon icon(FileIcons &workspace) const;
    // The workspace's icon for a file, or the product icon for this
    // application's own bundle; fetched once per path and then cached for the
    // life of the process. Main thread only.
    static QIcon fileIcon(const QString &path, FileIcons &workspace);
    // Empties that cache, as memory pressure would; the next request fetches again.
    static void dropCachedFileIcons();

    // The ids of `items`, in order.
    static QStringList ids(const QList<AppItem> &items);

    static const QList<AppItem> &pinnedDefaults();
    static const AppItem &taskManager();
    static const AppItem &velmoraSettings();
    static const AppItem &velmoraSetup();
};

size_t qHash(const AppItem &item, size_t seed = 0) noexcept;

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::AppItem)
