#include "ui/look/TaskBar.h"

#include <QGuiApplication>
#include <QWidget>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#endif

namespace tovarin {

#if QT_CONFIG(xcb)
namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
    std::free(reply);
    return found;
}

} // namespace
#endif

void keepOutOfTaskBar(QWidget &window)
{
#if QT_CONFIG(xcb)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // The offscreen platform offers the same interface without a connection.
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection || window.isVisible())
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t netWmState = atom(connection, "_NET_WM_STATE");
    const std::array wanted { atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(connection, "_NET_WM_STATE_SKIP_PAGER") };
    if (netWmState == XCB_ATOM_NONE
        || std::ranges::find(wanted, xcb_atom_t { XCB_ATOM_NONE }) != wanted.end())
        return;

    // The states already asked for stay; Qt merges its own in the same way when it maps the
    // window.
    std::vector<xcb_atom_t> states;
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(connection, 0, id, netWmState, XCB_ATOM_ATOM, 0, 1024);
    if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->type == XCB_ATOM_ATOM && reply->format == 32) {
            const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
            states.assign(values, values + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
    }
    for (const xcb_atom_t state : wanted)
        if (std::ranges::find(states, state) == states.end())
            states.push_back(state);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmState, XCB_ATOM_ATOM, 32,
        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

} // namespace tovarin
