#include "platform/loginitemservice.h"

namespace Velmora {

LoginItemService::~LoginItemService() = default;

} // namespace Velmora
