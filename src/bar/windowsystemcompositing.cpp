#include "bar/windowsystemcompositing.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace Velmora {

namespace {

#if QT_CONFIG(xcb)
bool x11CompositorRuns()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const char *name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, quint16(std::strlen(name)), name), nullptr);
    if (!atom)
        return false;
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool runs = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return runs;
}
#endif

} // namespace

bool WindowSystemCompositing::isActive()
{
#if QT_CONFIG(xcb)
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return x11CompositorRuns();
#endif
    // Wayland always composites; the offscreen platform draws nothing at all.
    return true;
}

} // namespace Velmora
