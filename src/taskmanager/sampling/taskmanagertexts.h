#pragma once

#include <QString>

// Every text and label of the Task Manager's sampling, in one place.
namespace Velmora::TaskManagerText {

inline const QString monitorQueue = QStringLiteral("Velmora.system-monitor");
inline const QString networkQueue = QStringLiteral("Velmora.nettop");
inline const QString processPathQueue = QStringLiteral("Velmora.process-paths");
inline const QString processIconQueue = QStringLiteral("Velmora.process-icons");

inline const QString absentValue = QStringLiteral("\u2014");
inline const QString perSecond = QStringLiteral("/s");

inline const QString protectedProcess = QStringLiteral("This process is protected or belongs to another user.");
inline const QString processExited
    = QStringLiteral("This process has already exited. The process list will refresh automatically.");

inline QString couldNotEnd(const QString &name, const QString &reason)
{
    return QStringLiteral("Could not end ") + name + QStringLiteral(": ") + reason;
}

// A process whose name cannot be read.
inline QString unnamedProcess(qint32 pid)
{
    return QStringLiteral("Process ") + QString::number(pid);
}

inline QString moreProcesses(const QString &leader, int others)
{
    return leader + QStringLiteral(" + ") + QString::number(others) + QStringLiteral(" more");
}

} // namespace Velmora::TaskManagerText
