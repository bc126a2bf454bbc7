#pragma once

#include <QtGlobal>

namespace Velmora {

class EventTaps;

// Key presses the store sends to another application.
namespace Keystrokes {

// The virtual key of "M".
inline constexpr quint16 mKeyCode = 46;

// Command-M, key down then key up, with the Command flag alone, to that
// process only: the application minimizes its front window its own way.
void postCommandM(EventTaps *eventTaps, qint32 processIdentifier);

} // namespace Keystrokes

} // namespace Velmora
