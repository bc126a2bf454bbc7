#pragma once

class QWidget;

namespace Velmora {

// Tells an X11 window manager what kind of window a top-level is, so it
// keeps the drawn desktop below every window and the bars above them, and
// leaves both without a frame. Qt names only the ordinary kinds; these two it
// cannot ask for. Elsewhere (Wayland, offscreen) it does nothing.
class X11WindowType
{
public:
    enum class Type {
        Desktop,
        Dock,
    };

    // Call before the window is first shown (from its showEvent at the
    // latest): a window manager reads the type when it takes the window on.
    static void set(QWidget *window, Type type);
    // Whether `type` was asked for `window` (on any platform), for tests.
    static bool isSet(const QWidget *window, Type type);
};

} // namespace Velmora
