#include "platform/fileicons.h"

namespace Velmora {

FileIcons::~FileIcons() = default;

} // namespace Velmora
