#include "bar/model/presstracker.h"

namespace Velmora {

bool PressTracker::takesPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    return button == Qt::LeftButton && !modifiers.testFlag(Qt::ControlModifier);
}

bool PressTracker::press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (!takesPress(button, modifiers))
        return false;
    m_pressed = true;
    return true;
}

std::optional<bool> PressTracker::release(Qt::MouseButton button, bool inside)
{
    if (button != Qt::LeftButton || !m_pressed)
        return std::nullopt;
    m_pressed = false;
    return inside;
}

} // namespace Velmora
