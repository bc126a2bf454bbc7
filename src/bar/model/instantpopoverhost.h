#pragma once

#include <QRectF>
#include <QSizeF>

#include <memory>
#include <optional>

class QObject;

namespace Velmora {

class PopoverSurface;

// What a popover's controller needs of the view that places it: its anchor,
// its content and fresh windows to show the content in.
class InstantPopoverHost
{
public:
    virtual ~InstantPopoverHost();

    // A new window holding the content, at `contentSize`, not yet shown.
    virtual std::unique_ptr<PopoverSurface> makeSurface(const QSizeF &contentSize) = 0;
    // Whether the anchor still exists.
    virtual bool hasAnchor() const = 0;
    // The anchor's frame in global coordinates; nothing while it is in no
    // window on screen.
    virtual std::optional<QRectF> anchorFrame() const = 0;
    // The content's ideal size, laid out first.
    virtual QSizeF idealSize() = 0;
    // Ends a menu's tracking at once, without its closing animation.
    virtual void cancelMenuTracking(QObject *menu) = 0;
};

} // namespace Velmora
