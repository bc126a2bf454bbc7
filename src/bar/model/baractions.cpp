#include "bar/model/baractions.h"

namespace Velmora {

BarActions::~BarActions() = default;

} // namespace Velmora
