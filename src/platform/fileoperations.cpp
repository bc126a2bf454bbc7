#include "platform/fileoperations.h"

namespace Velmora {

FileOperations::~FileOperations() = default;

} // namespace Velmora
