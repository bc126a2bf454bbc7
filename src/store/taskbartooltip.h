#pragma once

namespace Velmora {

// The bar's tooltip. The store hides it whenever a click, a picker or a
// window action is about to change what is under the pointer.
class TaskbarTooltip
{
public:
    virtual ~TaskbarTooltip() = default;

    // Cancels a tooltip still waiting to appear and takes a shown one away.
    virtual void hide() = 0;
};

} // namespace Velmora
