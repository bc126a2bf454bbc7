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

    // The info keys of a property list's bytes; `origin` names the file in
    // the log when the list is refused.
    static std::optional<BundleInfo> infoFromPropertyList(const QByteArray &data, const QString &origin);
};

} // namespace Velmora::Linux
