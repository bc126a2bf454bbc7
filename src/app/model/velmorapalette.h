#pragma once

#include <QColor>

namespace Velmora {

// The dark colours of the application's own windows (settings, Task
// Manager, onboarding, the close confirmation). Qt draws widgets and windows
// with one colour type, so `window` serves both.
namespace VelmoraPalette {

// The windows' background: sRGB 30, 32, 38.
inline QColor window() { return QColor(30, 32, 38); }
inline QColor windowNS() { return window(); }
// Sheets and panels inside those windows: sRGB 40, 42, 50.
inline QColor sheet() { return QColor(40, 42, 50); }
// Cards: white at 4 % opacity.
inline QColor card() { return QColor::fromRgbF(1, 1, 1, 0.04f); }

} // namespace VelmoraPalette

} // namespace Velmora
