#include "platform/statusitem.h"

namespace Velmora {

StatusItem::~StatusItem() = default;

} // namespace Velmora
