#pragma once

#include "platform/pseudoterminalprocess.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>

namespace Velmora {

// Starts children on a raw pseudo-terminal (no echo, no line editing, no
// newline translation) with standard error discarded.
class PseudoTerminalLauncher
{
public:
    struct Handlers
    {
        // Bytes as they arrive, on a thread of the launcher's choosing.
        std::function<void(const QByteArray &)> output;
        // The terminal was closed by the child side; called once, last.
        std::function<void()> finished;
    };

    virtual ~PseudoTerminalLauncher();

    // Nothing when the terminal cannot be opened or the program cannot be
    // started. No handler runs after the returned process is destroyed.
    virtual std::unique_ptr<PseudoTerminalProcess> launch(
        const QString &program, const QStringList &arguments, Handlers handlers)
        = 0;
};

} // namespace Velmora
