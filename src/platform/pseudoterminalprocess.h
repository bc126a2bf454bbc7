#pragma once

#include <QtGlobal>

namespace Velmora {

// A child process whose standard input and output are a pseudo-terminal.
// Destroying it ends the child if it still runs (a polite request first, then
// a kill) and reaps it, so no child outlives its handle and none is left a
// zombie.
class PseudoTerminalProcess
{
public:
    virtual ~PseudoTerminalProcess();

    virtual qint64 processId() const = 0;
    // False once the child has exited.
    virtual bool isRunning() = 0;
    // Asks the child to end (SIGTERM); does not wait.
    virtual void terminate() = 0;
};

} // namespace Velmora
