#include "platform/displays.h"

namespace Velmora {

Displays::~Displays() = default;

std::optional<DisplayInfo> Displays::screen(quint32 displayId) const
{
    for (const DisplayInfo &info : screens()) {
        if (info.displayId == displayId)
            return info;
    }
    return std::nullopt;
}

} // namespace Velmora
