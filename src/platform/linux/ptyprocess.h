#pragma once

#include "platform/pseudoterminallauncher.h"

#include <sys/types.h>
#include <thread>

namespace Velmora::Linux {

// A spawned child and the master side of its terminal. A thread of its own
// waits for output, so the owner never polls.
class PtyProcess final : public PseudoTerminalProcess
{
public:
    PtyProcess(pid_t pid, int masterFd, PseudoTerminalLauncher::Handlers handlers, int terminateGraceMs);
    ~PtyProcess() override;

    qint64 processId() const override { return m_pid; }
    bool isRunning() override;
    void terminate() override;

private:
    void readLoop();
    bool waitForExit(int timeoutMs);

    pid_t m_pid;
    int m_master;
    int m_wake;
    bool m_reaped = false;
    int m_graceMs;
    PseudoTerminalLauncher::Handlers m_handlers;
    std::thread m_reader;
};

} // namespace Velmora::Linux
