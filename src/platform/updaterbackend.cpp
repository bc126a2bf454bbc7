#include "platform/updaterbackend.h"

namespace Velmora {

UpdaterBackend::Observation::~Observation() = default;
UpdaterBackend::~UpdaterBackend() = default;

} // namespace Velmora
