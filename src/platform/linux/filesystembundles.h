#pragma once

#include "platform/applicationbundles.h"

namespace Velmora::Linux {

// Application bundles in real folders, with their property lists (XML or
// binary) read by libplist. Holds no state, so any thread may use it.
class FileSystemBundles final : public ApplicationBundles
{
public:
    QStringList findApplications(const QStringList &folders) const override;
    std::optional<BundleInfo> info(const QString &bundlePath) const override;
};

} // namespace Velmora::Linux
