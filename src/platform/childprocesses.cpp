#include "platform/childprocesses.h"

namespace Velmora {

ChildProcesses::~ChildProcesses() = default;

} // namespace Velmora
