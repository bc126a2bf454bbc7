#pragma once

namespace Velmora::Linux::SessionBusLaunch {

// Without a session bus address, libdbus looks for the login session's bus
// under XDG_RUNTIME_DIR and, failing that, runs dbus-launch to start a bus,
// and whoever connects first waits for it: Qt's accessibility bridge, as the
// application starts. Where dbus-launch is not installed that attempt can
// only fail, after a fork and a search of PATH; an address that names no bus
// makes the same connection fail at once.

// The address set then, for whoever finds it.
inline constexpr char noBusAddress[] = "unix:path=/nonexistent/velmora-no-session-bus";

// Sets DBUS_SESSION_BUS_ADDRESS to `noBusAddress` when no address is set, no
// bus of the login session exists and dbus-launch is not installed; leaves
// it as it is otherwise. Called before anything connects.
void avoidHopelessLaunch();

} // namespace Velmora::Linux::SessionBusLaunch
