#pragma once

#include <QString>

#include <optional>

namespace Velmora {

// One process of the Task Manager's list. `id` and `started` together name
// one run of a process: the id alone may be reused.
struct ManagedProcess
{
    qint32 id = 0;
    QString name;
    QString owner; // user name, or the user id's digits without one
    quint32 uid = 0;
    quint64 started = 0; // microseconds since 1970
    std::optional<double> cpu; // percent of the whole machine since the previous measurement
    std::optional<quint64> memory; // resident bytes

    friend bool operator==(const ManagedProcess &, const ManagedProcess &) = default;
};

} // namespace Velmora
