#include "platform/distributednotifications.h"

namespace Velmora {

DistributedNotifications::~DistributedNotifications() = default;

} // namespace Velmora
