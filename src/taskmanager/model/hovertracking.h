#pragma once

#include <optional>

namespace Velmora {

// Which item is under the pointer. Entering an item hovers it; leaving one
// clears the hover only while it still names that item, because moving
// straight from one item to the next may report the next one's enter before
// the first one's leave. True when the hover changed.
template<typename T> bool updateHover(std::optional<T> &hovered, const T &item, bool entered)
{
    if (entered) {
        if (hovered == item)
            return false;
        hovered = item;
        return true;
    }
    if (hovered != item)
        return false;
    hovered.reset();
    return true;
}

} // namespace Velmora
