#pragma once

namespace Velmora {

// The minimize interceptor and the minimize/close shortcut tap, as the
// keep-window-order setting switches them.
class MinimizeInterception
{
public:
    virtual ~MinimizeInterception() = default;

    // Starts both; does nothing for one that already runs.
    virtual void start() = 0;
    // Stops whichever of the two runs.
    virtual void stop() = 0;
};

} // namespace Velmora
