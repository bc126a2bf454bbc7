#include "platform/processsignaller.h"

namespace Velmora {

ProcessSignaller::~ProcessSignaller() = default;

} // namespace Velmora
