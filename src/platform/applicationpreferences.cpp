#include "platform/applicationpreferences.h"

namespace Velmora {

ApplicationPreferences::~ApplicationPreferences() = default;

} // namespace Velmora
