#pragma once

#include <QString>
#include <QStringList>

namespace Velmora {

// Starts this application again once the running instance has ended, the
// same program with the same arguments. The caller ends the running instance
// after a successful request.
class Relauncher
{
public:
    virtual ~Relauncher();

    // The process that is to end first (this one), and what to start then.
    // False when the relaunch could not be arranged; this instance then keeps running.
    virtual bool relaunchWhenExited(qint64 processIdentifier, const QString &program, const QStringList &arguments) = 0;
};

} // namespace Velmora
