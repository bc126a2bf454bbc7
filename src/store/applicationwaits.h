#pragma once

#include <QtGlobal>

namespace Velmora {

class Accessibility;
class Clock;
class Sleeper;

// How long the store waits on another application, which may be slow or
// hung: whatever acts on its windows keeps to these.
namespace ApplicationWaits {

// Reads of another application's window on the main thread give up this
// soon, so a hung application cannot freeze the bar.
inline constexpr double mainThreadTimeoutSeconds = 0.1;
// Listing another application's windows on the main thread, while a press
// or a menu waits for them: each read gives up this soon, and what is not
// answered is listed in the background.
inline constexpr double pressTimeoutSeconds = 0.05;
// A button press may take the application this long to answer.
inline constexpr double buttonPressTimeoutSeconds = 1.0;
// Waiting for an application to leave or take the front: at most 0.2 s,
// looking every 5 ms, each look giving up after 0.05 s.
inline constexpr qint64 frontmostWaitMs = 200;
inline constexpr qint64 frontmostPollMs = 5;
inline constexpr double frontmostReadTimeoutSeconds = 0.05;

// Waits (on the calling thread, never the main one) until the
// application's frontmost state is `frontmost`, at most frontmostWaitMs.
void waitUntilFrontmost(
    Accessibility &accessibility, const Clock &clock, Sleeper *sleeper, qint32 processIdentifier, bool frontmost);

} // namespace ApplicationWaits

} // namespace Velmora
