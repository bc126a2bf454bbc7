#pragma once

#include "platform/favoritefolders.h"

#include <QHash>
#include <QMutex>

namespace Velmora::Sim {

// Favourite folders that a test or scenario sets. Display names default to
// the last path component. Safe to read from a background thread while the
// test changes it.
class ScriptedFavoriteFolders final : public FavoriteFolders
{
public:
    std::optional<QList<FavoriteFolderEntry>> entries() override;
    QString displayName(const QString &path) override;

    void setEntries(const QList<FavoriteFolderEntry> &entries);
    // Makes entries() fail, as when the list cannot be created.
    void setUnavailable(bool unavailable);
    void setDisplayName(const QString &path, const QString &name);
    int readCount() const;

private:
    mutable QMutex m_mutex;
    QList<FavoriteFolderEntry> m_entries;
    QHash<QString, QString> m_displayNames;
    bool m_unavailable = false;
    int m_readCount = 0;
};

} // namespace Velmora::Sim
