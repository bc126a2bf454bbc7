#include "platform/codesignature.h"

namespace Velmora {

CodeSignature::~CodeSignature() = default;

} // namespace Velmora
