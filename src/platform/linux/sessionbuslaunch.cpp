#include "platform/linux/sessionbuslaunch.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace Velmora::Linux::SessionBusLaunch {

void avoidHopelessLaunch()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    if (!QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty())
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", noBusAddress);
}

} // namespace Velmora::Linux::SessionBusLaunch
