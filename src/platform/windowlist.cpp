#include "platform/windowlist.h"

namespace Velmora {

WindowList::~WindowList() = default;

} // namespace Velmora
