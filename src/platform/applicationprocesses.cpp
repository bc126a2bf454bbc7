#include "platform/applicationprocesses.h"

namespace Velmora {

ApplicationProcesses::~ApplicationProcesses() = default;

} // namespace Velmora
