#include "chrome/compositing.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <string>

bool desktop_shows_translucent_windows() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen")) {
        return true;
    }
    if (platform != QLatin1String("xcb")) {
        // Other platforms place top-level windows themselves: a separate
        // shadow window could not follow.
        return false;
    }
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return false;
    }
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const std::string name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        free(atom);
        return false;
    }
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool composited = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    free(atom);
    return composited;
}
