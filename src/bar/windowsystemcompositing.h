#pragma once

namespace Velmora {

// Whether the window system draws see-through windows as see-through. On
// an X server without a compositing manager a clear window comes out as a
// black one, so whatever relies on being invisible must stay away there.
class WindowSystemCompositing
{
public:
    static bool isActive();
};

} // namespace Velmora
