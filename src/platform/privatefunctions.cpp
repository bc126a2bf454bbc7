#include "platform/privatefunctions.h"

namespace Velmora {

PrivateFunctions::~PrivateFunctions() = default;

} // namespace Velmora
