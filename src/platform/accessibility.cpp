#include "platform/accessibility.h"
#include "platform/axnames.h" // compiled here so a typo in the names breaks the build

namespace Velmora {

Accessibility::~Accessibility() = default;

} // namespace Velmora
