#include "platform/pseudoterminalprocess.h"

namespace Velmora {

PseudoTerminalProcess::~PseudoTerminalProcess() = default;

} // namespace Velmora
