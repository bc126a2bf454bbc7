#include "platform/volumes.h"

namespace Velmora {

Volumes::~Volumes() = default;

} // namespace Velmora
