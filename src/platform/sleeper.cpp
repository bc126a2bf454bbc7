#include "platform/sleeper.h"

namespace Velmora {

Sleeper::~Sleeper() = default;

} // namespace Velmora
