#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"

#include <QRectF>
#include <QSet>

#include <optional>

namespace Velmora {

// A minimize of another application's window that the product carries out
// itself, held until the window is gone, so the window that was below it can
// be brought forward instead of the application's next one.
struct NativeMinimizeRequest
{
    enum class Kind { minimize, close };

    Kind kind = Kind::minimize;
    // The pressed button, when the request was made from its element.
    AXElement button;
    QSet<quint32> windowIDsBeforeClose;
    qint32 targetProcessIdentifier = 0;
    std::optional<quint32> windowID;
    QRectF minimizeButtonFrame;
    std::optional<RunningApplication> previousApplication;
};

} // namespace Velmora
