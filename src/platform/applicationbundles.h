#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Velmora {

// The info keys of an application bundle that the product reads. A key that
// is missing, or whose value is not a text, is absent.
struct BundleInfo
{
    std::optional<QString> bundleIdentifier; // "CFBundleIdentifier"
    std::optional<QString> name; // "CFBundleName"
    std::optional<QString> displayName; // "CFBundleDisplayName"

    friend bool operator==(const BundleInfo &, const BundleInfo &) = default;
};

// Application bundles on disk. Both operations may run on any thread (the
// installed-app scan runs off the main thread) and may be slow.
class ApplicationBundles
{
public:
    virtual ~ApplicationBundles();

    // Every application bundle ("*.app") found in `folders`, searched in the
    // given order, each folder to any depth. Hidden files are skipped, bundles
    // and other packages are not entered, the search never descends through a
    // symbolic link (a link named like a bundle is listed as one), and a folder
    // that is missing or unreadable is skipped.
    virtual QStringList findApplications(const QStringList &folders) const = 0;

    // The bundle's info keys, or nothing when its property list is missing or unreadable.
    virtual std::optional<BundleInfo> info(const QString &bundlePath) const = 0;

    // The name a person knows the bundle by: its display name, else its name,
    // else its file name without the extension.
    static QString displayName(const QString &bundlePath, const std::optional<BundleInfo> &info);

    // Whether a folder of that name is a package ("*.app", "*.bundle",
    // "*.framework", "*.plugin"): presented as one file, never searched inside.
    static bool isPackageName(const QString &fileName);
};

} // namespace Velmora
