#include "app/startupsteps.h"

namespace Velmora {

StartupSteps::~StartupSteps() = default;

} // namespace Velmora
