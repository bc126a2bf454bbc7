#include "platform/scheduler.h"

namespace Velmora {

Scheduler::~Scheduler() = default;

} // namespace Velmora
