#pragma once

#include <QLatin1String>

// Names of the window services' threads and queues, as they show up in a
// debugger or a thread listing, and the texts the services hand to the bar.
namespace Velmora::ServiceLabels {

inline constexpr QLatin1String WindowFocusHistoryQueue { "Velmora.WindowFocusHistory" };
inline constexpr QLatin1String OtherSpaceWindowsQueue { "Velmora.OtherSpaceWindows" };
inline constexpr QLatin1String MinimizeShortcutTapThread { "Velmora.MinimizeShortcutTap" };
inline constexpr QLatin1String WindowWorkAreaObserverQueue { "Velmora.WindowWorkAreaObserver" };
inline constexpr QLatin1String CoverWatchThread { "Velmora.CoverWatch" };
inline constexpr QLatin1String RestoreWatchThread { "Velmora.RestoreWatch" };
inline constexpr QLatin1String MinimizeWatchThread { "Velmora.MinimizeWatch" };
inline constexpr QLatin1String CloseWatchThread { "Velmora.CloseWatch" };

// A window whose title is empty once trimmed.
inline constexpr QLatin1String UntitledWindowTitle { "Untitled Window" };
// The bar entry of the application's own windows when the deciding window has no title.
inline constexpr QLatin1String OwnWindowsEntryTitle { "Velmora" };

} // namespace Velmora::ServiceLabels
