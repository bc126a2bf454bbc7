#pragma once

#include "platform/displayinfo.h"

#include <QRectF>
#include <QSizeF>

namespace Velmora {

// Where one of the application's own windows goes on a screen: centred in
// the visible frame above the bar's strip, shrunk to fit but never grown.
// In the screen convention (bottom-left origin, y up).
QRectF fittedAndCentredFrame(const QSizeF &windowSize, const DisplayInfo &screen);

} // namespace Velmora
