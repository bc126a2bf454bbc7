#include "platform/accessibilityobserver.h"

namespace Velmora {

AccessibilityObserver::~AccessibilityObserver() = default;

} // namespace Velmora
