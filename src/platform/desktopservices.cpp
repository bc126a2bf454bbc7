#include "platform/desktopservices.h"

namespace Velmora {

DesktopServices::~DesktopServices() = default;

} // namespace Velmora
