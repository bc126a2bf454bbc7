#include "platform/relauncher.h"

namespace Velmora {

Relauncher::~Relauncher() = default;

} // namespace Velmora
