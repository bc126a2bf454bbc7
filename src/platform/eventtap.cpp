#include "platform/eventtap.h"

namespace Velmora {

EventTap::~EventTap() = default;

} // namespace Velmora
