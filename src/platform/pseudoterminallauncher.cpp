#include "platform/pseudoterminallauncher.h"

namespace Velmora {

PseudoTerminalLauncher::~PseudoTerminalLauncher() = default;

} // namespace Velmora
