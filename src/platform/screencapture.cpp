#include "platform/screencapture.h"

namespace Velmora {

ScreenCapture::~ScreenCapture() = default;

} // namespace Velmora
