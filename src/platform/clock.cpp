#include "platform/clock.h"

namespace Velmora {

Clock::~Clock() = default;

} // namespace Velmora
