#pragma once

#include "platform/applicationbundles.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

namespace Velmora::Sim {

// Application bundles that exist only in memory, for tests and scenarios.
// Searching follows the disk's rules on the paths it was given: bundles in a
// folder at any depth, none inside a hidden folder or inside another bundle.
// Any thread may read while the owner adds bundles.
class ScriptedBundles final : public ApplicationBundles
{
public:
    // `info` nothing stands for a bundle whose property list is missing or unreadable.
    void addBundle(const QString &path, const std::optional<BundleInfo> &info);
    // Every search and read, in order ("find <folders>", "info <path>").
    QStringList requests() const;

    QStringList findApplications(const QStringList &folders) const override;
    std::optional<BundleInfo> info(const QString &bundlePath) const override;

private:
    mutable QMutex m_mutex;
    QStringList m_paths;
    QHash<QString, std::optional<BundleInfo>> m_infos;
    mutable QStringList m_requests;
};

} // namespace Velmora::Sim
