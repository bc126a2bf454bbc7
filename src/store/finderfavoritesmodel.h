#pragma once

#include "store/finderfavorite.h"

#include <QObject>
#include <QThreadPool>

#include <functional>

namespace Velmora {

class FavoriteFolders;
class FileIcons;

// The favourite folders the store publishes. Read once at start, then
// refreshed in the background whenever the Start menu opens, so opening it
// never waits for the file system. Each refresh carries a request number: a
// refresh that finishes after a newer one was requested changes nothing,
// neither the list nor the icons. Main thread only.
class FinderFavoritesModel : public QObject
{
    Q_OBJECT
public:
    // Runs a piece of work away from the main thread.
    using BackgroundRunner = std::function<void(std::function<void()> work)>;

    // `source` and `workspace` must outlive the model; the model waits for
    // its own background reads when it ends.
    FinderFavoritesModel(FavoriteFolders &source, FileIcons &workspace, QObject *parent = nullptr);
    // With a runner of the caller's choice, for tests that order the work.
    FinderFavoritesModel(
        FavoriteFolders &source, FileIcons &workspace, BackgroundRunner runner, QObject *parent = nullptr);
    ~FinderFavoritesModel() override;

    const QList<FinderFavorite> &favorites() const { return m_favorites; }
    quint64 refreshID() const { return m_refreshID; }

    // Reads the favourites now, on the calling thread.
    void load();
    // Reads the favourites and their icons in the background and applies
    // them unless a newer refresh was requested meanwhile.
    void refresh();

signals:
    // Only when the list differs from the one published before.
    void favoritesChanged();

private:
    void apply(quint64 requestID, const QList<FinderFavorite> &favorites, const FinderFavorite::FreshIcons &icons);
    void setFavorites(const QList<FinderFavorite> &favorites);

    FavoriteFolders &m_source;
    FileIcons &m_workspace;
    QThreadPool m_pool;
    BackgroundRunner m_runner;
    QList<FinderFavorite> m_favorites;
    quint64 m_refreshID = 0;
};

} // namespace Velmora
