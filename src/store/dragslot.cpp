#include "store/dragslot.h"

#include <algorithm>
#include <cmath>

namespace Velmora::DragSlot {

namespace {

bool hasSlots(double translation, double pitch)
{
    return std::isfinite(translation) && std::isfinite(pitch) && pitch > 0;
}

} // namespace

qsizetype clamped(double slot, qsizetype last)
{
    const double upper = double(std::max<qsizetype>(last, 0));
    return qsizetype(std::clamp(slot, 0.0, upper)); // an infinite slot clamps too
}

double wholeSlots(double translation, double pitch)
{
    return hasSlots(translation, pitch) ? std::round(translation / pitch) : 0.0;
}

qsizetype target(qsizetype start, double translation, double pitch, qsizetype last)
{
    if (!hasSlots(translation, pitch))
        return clamped(double(start), last);
    return clamped(std::round(translation / pitch + double(start)), last);
}

} // namespace Velmora::DragSlot
