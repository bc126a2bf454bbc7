#pragma once

#include <QLatin1String>

// Names of the window services' threads and queues, as they show up in a
// debugger or a thread listing.
namespace Velmora::ServiceLabels {

inline constexpr QLatin1String WindowFocusHistoryQueue{"Velmora.WindowFocusHistory"};
inline constexpr QLatin1String OtherSpaceWindowsQueue{"Velmora.OtherSpaceWindows"};

} // namespace Velmora::ServiceLabels
