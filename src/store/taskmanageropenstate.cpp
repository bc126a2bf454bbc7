#include "store/taskmanageropenstate.h"

namespace Velmora {

TaskManagerOpenState::~TaskManagerOpenState() = default;

} // namespace Velmora
