#pragma once

#include "platform/displayinfo.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// Where the Task Manager window goes. Frames are in screen coordinates
// (bottom-left origin, y up), as the displays report them.
namespace Velmora::TaskManagerPlacement {

// The user-defaults key under which the window's frame is kept.
inline const QString frameKey = QStringLiteral("Velmora.TaskManager");
inline const QSizeF defaultSize(1060, 720);
inline const QSizeF minimumSize(860, 560);

// "x y width height"; nothing for any other text or an empty size.
std::optional<QRectF> parseFrame(const QString &text);
QString frameText(const QRectF &frame);

// The frame to start with: the saved one when some screen's area (without
// the bar's strip) holds it whole, else the saved origin with the default
// size; the default size at the origin when nothing was saved.
QRectF restoredFrame(const std::optional<QRectF> &saved, const QList<DisplayInfo> &screens);

// Whether a window that is already showing stays where it is.
bool keepsPlace(const QRectF &frame, const QList<DisplayInfo> &screens);
// The screen to open on: the one under the pointer, else the main one.
std::optional<DisplayInfo> screenFor(
    const QList<DisplayInfo> &screens, const QPointF &pointer, const std::optional<DisplayInfo> &mainScreen);
// The frame shrunk to fit the screen's area without the bar's strip, and
// centred in it.
QRectF fitAndCenter(const QRectF &frame, const DisplayInfo &screen);

} // namespace Velmora::TaskManagerPlacement
