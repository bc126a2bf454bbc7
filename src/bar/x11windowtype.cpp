#include "bar/x11windowtype.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace Velmora {

namespace {

// The dynamic property through which Qt's X11 window keeps an extra window
// type across later changes of the window's flags; the values are its own.
constexpr char qtTypeProperty[] = "_q_xcb_wm_window_type";
constexpr int qtDesktopType = 0x000002;
constexpr int qtDockType = 0x000004;

const char *atomName(X11WindowType::Type type)
{
    return type == X11WindowType::Type::Desktop ? "_NET_WM_WINDOW_TYPE_DESKTOP" : "_NET_WM_WINDOW_TYPE_DOCK";
}

#if QT_CONFIG(xcb)
xcb_connection_t *x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, quint16(std::strlen(name)), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}
#endif

} // namespace

void X11WindowType::set(QWidget *window, Type type)
{
    if (!window)
        return;
    window->winId();
    QWindow *handle = window->windowHandle();
    if (!handle)
        return;
    handle->setProperty(qtTypeProperty, type == Type::Desktop ? qtDesktopType : qtDockType);
#if QT_CONFIG(xcb)
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    // Written at once as well: Qt applies its property only when the flags change.
    const xcb_atom_t property = atom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t value = atom(connection, atomName(type));
    if (property == XCB_ATOM_NONE || value == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(handle->winId()), property, XCB_ATOM_ATOM, 32,
        1, &value);
    xcb_flush(connection);
#endif
}

bool X11WindowType::isSet(const QWidget *window, Type type)
{
    const QWindow *handle = window ? window->windowHandle() : nullptr;
    return handle && handle->property(qtTypeProperty).toInt() == (type == Type::Desktop ? qtDesktopType : qtDockType);
}

} // namespace Velmora
