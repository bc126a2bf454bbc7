#include "picker/model/windowcardactions.h"

namespace Velmora {

WindowCardActions::~WindowCardActions() = default;
CardTooltip::~CardTooltip() = default;

} // namespace Velmora
