#include "platform/sim/scriptedfavoritefolders.h"

#include <QFileInfo>

namespace Velmora::Sim {

std::optional<QList<FavoriteFolderEntry>> ScriptedFavoriteFolders::entries()
{
    QMutexLocker lock(&m_mutex);
    ++m_readCount;
    if (m_unavailable)
        return std::nullopt;
    return m_entries;
}

QString ScriptedFavoriteFolders::displayName(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    return m_displayNames.value(path, QFileInfo(path).fileName());
}

void ScriptedFavoriteFolders::setEntries(const QList<FavoriteFolderEntry> &entries)
{
    QMutexLocker lock(&m_mutex);
    m_entries = entries;
}

void ScriptedFavoriteFolders::setUnavailable(bool unavailable)
{
    QMutexLocker lock(&m_mutex);
    m_unavailable = unavailable;
}

void ScriptedFavoriteFolders::setDisplayName(const QString &path, const QString &name)
{
    QMutexLocker lock(&m_mutex);
    m_displayNames.insert(path, name);
}

int ScriptedFavoriteFolders::readCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_readCount;
}

} // namespace Velmora::Sim
