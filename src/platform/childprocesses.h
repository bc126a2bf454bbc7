#pragma once

#include <QString>
#include <QStringList>

namespace Velmora {

// Other programs this application starts and lets run on their own (such as
// "killall Dock" to restart the Dock).
class ChildProcesses
{
public:
    virtual ~ChildProcesses();

    // Starts `program` with `arguments` without waiting for it. False when it
    // cannot be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

} // namespace Velmora
