#pragma once

#include "platform/pseudoterminallauncher.h"

namespace Velmora::Linux {

class PtyLauncher final : public PseudoTerminalLauncher
{
public:
    // How long a child may take to end after SIGTERM before it is killed.
    explicit PtyLauncher(int terminateGraceMs = 2000);

    std::unique_ptr<PseudoTerminalProcess> launch(
        const QString &program, const QStringList &arguments, Handlers handlers) override;

private:
    int m_graceMs;
};

} // namespace Velmora::Linux
