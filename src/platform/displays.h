#pragma once

#include "platform/displayinfo.h"

#include <QList>
#include <QObject>
#include <QPointF>

#include <optional>

namespace Velmora {

// The screens of the desktop and the pointer.
class Displays : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~Displays() override;

    // Every screen; the first is the primary display (the one whose frame
    // has its origin at 0, 0).
    virtual QList<DisplayInfo> screens() const = 0;
    // The screen holding the active window, else the primary one; nothing without screens.
    virtual std::optional<DisplayInfo> mainScreen() const = 0;
    // The ids of the active displays; nothing when the window server cannot tell.
    virtual std::optional<QList<quint32>> activeDisplayList() const = 0;
    // Pointer location in the screen convention (bottom-left origin, y up).
    virtual QPointF pointerLocation() const = 0;

    std::optional<DisplayInfo> screen(quint32 displayId) const;

signals:
    // Screens were added, removed, moved or resized.
    void screensChanged();
};

} // namespace Velmora
