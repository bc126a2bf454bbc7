#pragma once

#include <Qt>

#include <optional>

namespace Velmora {

// The press of one button, from the left mouse-down to the release that ends
// it. A press is taken only for the left button without Control: right-clicks
// and Control-clicks belong to the context menus and pass by.
//
// Each press ends once. A release with no press armed (a second release
// delivered after a popup took the mouse, the release of a press that was
// cancelled, a release of another button) ends nothing, so whatever hangs on
// the release can never run twice for one click.
class PressTracker
{
public:
    // Whether a mouse-down of `button` with `modifiers` starts a tracked press.
    static bool takesPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    // A mouse-down; true when it armed a press. A press while one is armed
    // (the second press of a double click) simply arms it again.
    bool press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // A mouse-up: whether the armed press ended inside the button, or nothing
    // when this release ends no press.
    std::optional<bool> release(Qt::MouseButton button, bool inside);
    // The press will not end here (the button was hidden, the mouse was taken).
    void cancel() { m_pressed = false; }
    bool isPressed() const { return m_pressed; }

private:
    bool m_pressed = false;
};

} // namespace Velmora
