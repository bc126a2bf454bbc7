#include "platform/ownwindowregistry.h"

namespace Velmora {

OwnWindowRegistry::~OwnWindowRegistry() = default;

} // namespace Velmora
