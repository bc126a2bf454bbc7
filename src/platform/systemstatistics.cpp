#include "platform/systemstatistics.h"

namespace Velmora {

SystemStatistics::~SystemStatistics() = default;

void SystemStatistics::forgetProcesses() { }

} // namespace Velmora
