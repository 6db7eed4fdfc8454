#include "ui/KeyboardState.h"

#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>

namespace keyboard {

std::optional<bool> capsLockOn()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    // The keyboard's lights: Caps Lock is the first.
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
    if (!reply)
        return std::nullopt;
    const bool on = reply->led_mask & 1u;
    std::free(reply);
    return on;
}

} // namespace keyboard
