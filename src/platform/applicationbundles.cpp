#include "platform/applicationbundles.h"

#include <QFileInfo>

#include <algorithm>

namespace Velmora {

ApplicationBundles::~ApplicationBundles() = default;

QString ApplicationBundles::displayName(const QString &bundlePath, const std::optional<BundleInfo> &info)
{
    if (info && info->displayName)
        return *info->displayName;
    if (info && info->name)
        return *info->name;
    return QFileInfo(bundlePath).completeBaseName();
}

bool ApplicationBundles::isPackageName(const QString &fileName)
{
    static const QStringList suffixes{QStringLiteral(".app"), QStringLiteral(".bundle"), QStringLiteral(".framework"),
                                      QStringLiteral(".plugin")};
    return std::any_of(suffixes.cbegin(), suffixes.cend(),
                       [&](const QString &suffix) { return fileName.endsWith(suffix); });
}

} // namespace Velmora
