#pragma once

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Velmora {

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
