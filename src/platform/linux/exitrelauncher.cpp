#include "platform/linux/exitrelauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace Velmora {

// kill -0 only asks whether the process still exists; it sends nothing. A
// process that has ended but was not yet reaped by its parent counts as gone.
const QString ExitRelauncher::script = QStringLiteral(
    "pid=$1; shift; while kill -0 \"$pid\" 2>/dev/null; do "
    "case \"$(cat /proc/$pid/stat 2>/dev/null)\" in *\") Z \"*) break;; esac; sleep 0.1; done; exec \"$@\"");

ExitRelauncher::ExitRelauncher(QString shell)
    : m_shell(std::move(shell))
{
}

bool ExitRelauncher::relaunchWhenExited(qint64 processIdentifier, const QString &program, const QStringList &arguments)
{
    // A program that cannot run (removed or replaced by a broken update)
    // would leave nothing running at all once this instance ends.
    if (processIdentifier <= 0 || program.isEmpty() || !QFileInfo(program).isExecutable())
        return false;
    QStringList shellArguments { QStringLiteral("-c"), script, QStringLiteral("velmora-relaunch"),
        QString::number(processIdentifier), program };
    shellArguments += arguments;
    return QProcess::startDetached(m_shell, shellArguments);
}

} // namespace Velmora
