#pragma once

#include <QRectF>
#include <QSizeF>
#include <Qt>

class QWindow;

namespace Velmora {

// One flyout window as a popover's controller drives it: placed at an edge
// of its anchor, sized to its content, closed with or without its short
// closing animation. The widgets implement it; tests fake it.
class PopoverSurface
{
public:
    // What the surface tells its controller. Calls for a surface that is not
    // the controller's current one are ignored by the controller.
    class Delegate
    {
    public:
        // The user asked the window itself to close (Escape); true allows it.
        virtual bool popoverShouldClose(PopoverSurface *surface) = 0;
        // Closing begins: the closing animation starts now.
        virtual void popoverWillClose(PopoverSurface *surface) = 0;
        // The window is gone from the screen.
        virtual void popoverDidClose(PopoverSurface *surface) = 0;

    protected:
        ~Delegate() = default;
    };

    virtual ~PopoverSurface();

    virtual void setDelegate(Delegate *delegate) = 0;
    // On screen, from show() until the end of a closing animation.
    virtual bool isShown() const = 0;
    // Shows the window at once at `edge` of `anchorFrame` (global coordinates).
    virtual void show(const QRectF &anchorFrame, Qt::Edge edge) = 0;
    // Closes a shown window: popoverWillClose now, popoverDidClose when it has
    // gone (at once when not animated).
    virtual void close(bool animated) = 0;
    virtual QSizeF contentSize() const = 0;
    // Resizes at once, staying at its anchor.
    virtual void setContentSize(const QSizeF &size) = 0;
    // Whether `window` is this surface's window (null counts while it has none).
    virtual bool holdsWindow(const QWindow *window) const = 0;
    // Gives the content back and forgets the delegate while a closing
    // animation finishes; the surface frees itself once it has closed.
    // The caller must not touch it afterwards.
    virtual void abandon() = 0;
};

} // namespace Velmora
