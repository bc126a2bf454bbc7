#include "platform/sim/simfavoritefolders.h"

#include "platform/sim/simdesktop.h"

#include <QFileInfo>

namespace Velmora::Sim {

SimFavoriteFolders::SimFavoriteFolders(SimDesktop &desktop)
    : m_desktop(desktop)
{
}

std::optional<QList<FavoriteFolderEntry>> SimFavoriteFolders::entries()
{
    return m_desktop.favoriteFolders();
}

QString SimFavoriteFolders::displayName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

} // namespace Velmora::Sim
