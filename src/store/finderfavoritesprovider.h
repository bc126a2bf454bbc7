#pragma once

#include "store/finderfavorite.h"

namespace Velmora {

class FavoriteFolders;

// Reads the user's favourite folders into the list the store shows.
class FinderFavoritesProvider
{
public:
    // In the file manager's order, with files left out (an item whose type
    // cannot be read stays), each folder once at its first place, and
    // unresolved items skipped. Empty when the list cannot be had. Safe off
    // the main thread.
    static QList<FinderFavorite> favorites(FavoriteFolders &source);

    FinderFavoritesProvider() = delete;
};

} // namespace Velmora
