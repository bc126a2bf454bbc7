#pragma once

#include "platform/favoritefolders.h"

namespace Velmora::Sim {

class SimDesktop;

// The simulated desktop's favourite folders, as its scenario lists them.
class SimFavoriteFolders final : public FavoriteFolders
{
public:
    explicit SimFavoriteFolders(SimDesktop &desktop);

    std::optional<QList<FavoriteFolderEntry>> entries() override;
    // The last component of the path, as a file manager shows a folder.
    QString displayName(const QString &path) override;

private:
    SimDesktop &m_desktop;
};

} // namespace Velmora::Sim
