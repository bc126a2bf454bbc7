#pragma once

#include <QtGlobal>

namespace Velmora {

// Sends signals to other processes without ever hitting a process that took
// over a reused process id.
class ProcessSignaller
{
public:
    enum class Outcome {
        Delivered,
        // The process is gone, or its id now belongs to another run.
        NoSuchProcess,
        // The system refused; `error` carries its errno.
        Failed,
    };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        int error = 0;
    };

    virtual ~ProcessSignaller();

    // Delivers `signal` to `pid` only while that id still denotes the run that
    // started at `started` (microseconds since 1970) under effective user `uid`.
    virtual Result send(qint32 pid, quint64 started, quint32 uid, int signal) = 0;

    virtual qint32 currentProcessId() const = 0;
    virtual quint32 currentUserId() const = 0;
};

} // namespace Velmora
