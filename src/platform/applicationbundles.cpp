#include "platform/applicationbundles.h"

#include <QFileInfo>

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

} // namespace Velmora
