#include "platform/alerts.h"

namespace Velmora {

Alerts::~Alerts() = default;

} // namespace Velmora
