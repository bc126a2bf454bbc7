#include "platform/translocation.h"

namespace Velmora {

Translocation::~Translocation() = default;

} // namespace Velmora
