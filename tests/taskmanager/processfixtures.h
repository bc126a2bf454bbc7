#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QList>

namespace Velmora::Test {

inline constexpr qint32 ownPid = 4000;
inline constexpr quint32 ownUid = 501;

inline ManagedProcess managedProcess(qint32 pid, const QString &name = QStringLiteral("proc"),
    std::optional<double> cpu = {}, std::optional<quint64> memory = {}, const QString &owner = QStringLiteral("ada"),
    quint32 uid = ownUid, quint64 started = 1'000)
{
    return ManagedProcess { pid, name, owner, uid, started, cpu, memory };
}

inline QList<qint32> pids(const QList<ManagedProcess> &processes)
{
    QList<qint32> result;
    for (const ManagedProcess &p : processes)
        result.append(p.id);
    return result;
}

} // namespace Velmora::Test
