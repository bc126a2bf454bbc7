#include "platform/ownapplication.h"

namespace Velmora {

OwnApplication::~OwnApplication() = default;

} // namespace Velmora
