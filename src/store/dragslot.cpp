#include "store/dragslot.h"

#include <algorithm>
#include <cmath>

namespace Velmora::DragSlot {

qsizetype target(qsizetype start, double translation, double pitch, qsizetype last)
{
    double steps = 0;
    if (std::isfinite(translation) && std::isfinite(pitch) && pitch > 0)
        steps = std::round(translation / pitch); // may be infinite; the clamp below copes
    const double upper = double(std::max<qsizetype>(last, 0));
    return qsizetype(std::clamp(double(start) + steps, 0.0, upper));
}

} // namespace Velmora::DragSlot
