#include "platform/eventtaps.h"

namespace Velmora {

EventTaps::~EventTaps() = default;

} // namespace Velmora
