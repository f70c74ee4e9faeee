#include "platform/idle/X11IdleTime.h"

#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace lumera {

X11IdleTime::X11IdleTime() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (screens.rem)
        root_ = screens.data->root;
}

X11IdleTime::~X11IdleTime() {
    xcb_disconnect(connection_);
}

std::optional<std::chrono::milliseconds> X11IdleTime::sinceInput() const {
    if (!root_ || xcb_connection_has_error(connection_))
        return std::nullopt;
    xcb_screensaver_query_info_reply_t* reply = xcb_screensaver_query_info_reply(
        connection_, xcb_screensaver_query_info(connection_, root_), nullptr);
    if (!reply)
        return std::nullopt;
    const std::chrono::milliseconds since(reply->ms_since_user_input);
    std::free(reply);
    return since;
}

} // namespace lumera
