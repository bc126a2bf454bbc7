#include "platform/favoritefolders.h"

namespace Velmora {

FavoriteFolders::~FavoriteFolders() = default;

} // namespace Velmora
