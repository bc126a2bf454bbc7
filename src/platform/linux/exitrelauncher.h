#pragma once

#include "platform/relauncher.h"

namespace Velmora {

// Relaunches through a small shell that outlives this process: it waits
// until the old process has gone (so the two instances never run side by
// side, fighting over the panels and the settings file), then replaces
// itself with the program.
class ExitRelauncher final : public Relauncher
{
public:
    // The shell that waits; a parameter so tests can run another one.
    explicit ExitRelauncher(QString shell = QStringLiteral("/bin/sh"));

    bool relaunchWhenExited(qint64 processIdentifier, const QString &program, const QStringList &arguments) override;

    // The shell's script: "$1" is the process to wait for, the rest the command.
    static const QString script;

private:
    QString m_shell;
};

} // namespace Velmora
