#include "platform/systemstatistics.h"

namespace Velmora {

SystemStatistics::~SystemStatistics() = default;

} // namespace Velmora
