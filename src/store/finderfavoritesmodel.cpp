#include "store/finderfavoritesmodel.h"

#include "store/finderfavoritesprovider.h"

#include <QCoreApplication>
#include <QPointer>

namespace Velmora {

FinderFavoritesModel::FinderFavoritesModel(FavoriteFolders &source, FileIcons &workspace, QObject *parent)
    : FinderFavoritesModel(source, workspace, BackgroundRunner(), parent)
{
}

FinderFavoritesModel::FinderFavoritesModel(
    FavoriteFolders &source, FileIcons &workspace, BackgroundRunner runner, QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_workspace(workspace)
    , m_runner(std::move(runner))
{
    if (!m_runner)
        m_runner = [this](std::function<void()> work) { m_pool.start(std::move(work)); };
}

FinderFavoritesModel::~FinderFavoritesModel()
{
    // The background reads use the source and the workspace; finish them here.
    m_pool.waitForDone();
}

void FinderFavoritesModel::load()
{
    setFavorites(FinderFavoritesProvider::favorites(m_source));
}

void FinderFavoritesModel::refresh()
{
    const quint64 requestID = ++m_refreshID;
    // Only the main thread reads this pointer; the worker merely carries it.
    const QPointer<FinderFavoritesModel> self(this);
    FavoriteFolders &source = m_source;
    FileIcons &workspace = m_workspace;
    m_runner([self, requestID, &source, &workspace] {
        const QList<FinderFavorite> favorites = FinderFavoritesProvider::favorites(source);
        const FinderFavorite::FreshIcons icons = FinderFavorite::FreshIcons::load(favorites, workspace);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, requestID, favorites, icons] {
                if (self)
                    self->apply(requestID, favorites, icons);
            },
            Qt::QueuedConnection);
    });
}

void FinderFavoritesModel::apply(
    quint64 requestID, const QList<FinderFavorite> &favorites, const FinderFavorite::FreshIcons &icons)
{
    if (requestID != m_refreshID)
        return; // a later request applies its own list and icons
    // Icons are swapped even for an unchanged list, which picks up changed folder icons.
    FinderFavorite::replaceCachedIcons(icons);
    setFavorites(favorites);
}

void FinderFavoritesModel::setFavorites(const QList<FinderFavorite> &favorites)
{
    if (favorites == m_favorites)
        return;
    m_favorites = favorites;
    emit favoritesChanged();
}

} // namespace Velmora
