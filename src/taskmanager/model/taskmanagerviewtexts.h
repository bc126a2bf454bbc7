#pragma once

#include <QString>

// Every text the Task Manager window shows, in one place.
namespace Velmora::TaskManagerViewText {

inline const QString windowTitle = QStringLiteral("Task Manager");
inline const QString subtitle = QStringLiteral("A live look at your Mac");

// Metric cards and the expanded graph.
inline const QString cpu = QStringLiteral("CPU");
inline const QString memory = QStringLiteral("Memory");
inline const QString disk = QStringLiteral("Disk");
inline const QString network = QStringLiteral("Network");
inline const QString cpuDetail = QStringLiteral("Of your Mac\u2019s total capacity");
inline const QString memorySeparator = QStringLiteral(" / ");
inline const QString diskReadPrefix = QStringLiteral("R ");
inline const QString diskWritePrefix = QStringLiteral("  W ");
inline const QString downloadPrefix = QStringLiteral("\u2193 ");
inline const QString uploadPrefix = QStringLiteral("  \u2191 ");
inline QString expandHistory(const QString &title)
{
    return QStringLiteral("Expand ") + title + QStringLiteral(" history");
}
inline QString lastMinuteOf(const QString &title)
{
    return title + QStringLiteral(", last 60 seconds");
}
inline const QString closeGraph = QStringLiteral("Close graph");
inline const QString lastSixtySeconds = QStringLiteral("Last 60 seconds");
inline const QString highestUsage = QStringLiteral("Highest usage");
inline const QString appDetailsWhileOpen = QStringLiteral("App details are recorded while Task Manager is open.");
inline const QString networkPerAppUnavailable
    = QStringLiteral("Network use per app cannot be measured on this computer.");
inline QString nothingWasUsing(const QString &title)
{
    return QStringLiteral("Nothing was using ") + title.toLower() + QStringLiteral(" at this moment.");
}
inline const QString hintWithApps
    = QStringLiteral("Move over the graph to see the time, usage and the apps using the most.");
inline const QString hintWithoutApps = QStringLiteral("Move over the graph to see the time and usage.");
inline const QString usageDetailSeparator = QStringLiteral(" \u2014 ");

// Process list.
inline const QString processes = QStringLiteral("Processes");
inline const QString searchPlaceholder = QStringLiteral("Search name, user or PID");
inline const QString clearSearch = QStringLiteral("Clear search");
inline const QString columnName = QStringLiteral("Name");
inline const QString columnPid = QStringLiteral("PID");
inline const QString columnUser = QStringLiteral("User");
inline const QString columnCpu = QStringLiteral("CPU");
inline const QString columnMemory = QStringLiteral("Memory");
inline const QString waitingTitle = QStringLiteral("Waiting for processes");
inline const QString waitingDescription = QStringLiteral("Collecting system information\u2026");
inline const QString noMatchTitle = QStringLiteral("No matching processes");
inline const QString noMatchDescription = QStringLiteral("Try another name, user or process ID.");
inline const QString memoryUnavailable = QStringLiteral("unavailable");
inline const QString systemProcess = QStringLiteral("System process");

// Footer, menus and alerts.
inline const QString pidSeparator = QStringLiteral(" \u00b7 PID ");
inline const QString protectedSuffix = QStringLiteral(" \u00b7 Protected");
inline const QString executableUnavailable = QStringLiteral("Executable location unavailable");
inline const QString forceQuitEllipsis = QStringLiteral("Force Quit\u2026");
inline const QString endTaskEllipsis = QStringLiteral("End Task\u2026");
inline const QString forceQuit = QStringLiteral("Force Quit");
inline const QString endTask = QStringLiteral("End Task");
inline const QString cancel = QStringLiteral("Cancel");
inline const QString ok = QStringLiteral("OK");
inline const QString searchInBrowser = QStringLiteral("Search in browser");
inline const QString showInFinder = QStringLiteral("Show in Finder");
inline const QString finderFailureTitle = QStringLiteral("Unable to show process in Finder");
inline const QString endFailureTitle = QStringLiteral("Unable to end process");
// The executable is there, but no file manager would show it.
inline QString fileManagerUnavailable(const QString &path)
{
    return QStringLiteral("No file manager could show ") + path + QLatin1Char('.');
}
inline QString executableMissing(const QString &name)
{
    return QStringLiteral("The executable for ") + name
        + QStringLiteral(" is unavailable. The process may have exited or access may be restricted.");
}

} // namespace Velmora::TaskManagerViewText
