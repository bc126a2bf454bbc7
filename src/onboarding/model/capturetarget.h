#pragma once

#include "platform/screencapture.h"

#include <optional>

namespace Velmora {

// What onboarding captures once, only so that the system shows its
// screen-capture notice while the page that explains it is on screen: one
// ordinary window of another application, else the first display.
struct CaptureTarget {
    enum class Kind { window, display };

    Kind kind = Kind::window;
    quint32 id = 0;

    // Narrower windows are not worth a capture: they are strips and
    // handles, not document windows.
    static constexpr double minimumWindowWidth = 50;

    // The first listed window that is not ours (or has no owner at all), on
    // the ordinary window level and wider than 50 points; else the first
    // display; nothing when there is neither.
    static std::optional<CaptureTarget> choose(const ShareableContent &content, qint32 ownPid);

    friend bool operator==(const CaptureTarget &, const CaptureTarget &) = default;
};

} // namespace Velmora
