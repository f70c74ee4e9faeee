#include "platform/desktop/MonitorPower.h"

#include <cstdlib>
#include <xcb/dpms.h>
#include <xcb/xcb.h>

namespace lumera {

bool turnMonitorOff() {
    if (!std::getenv("DISPLAY"))
        return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        return false;
    }
    bool done = false;
    xcb_dpms_capable_reply_t* capable =
        xcb_dpms_capable_reply(connection, xcb_dpms_capable(connection), nullptr);
    if (capable && capable->capable) {
        xcb_dpms_enable(connection);
        xcb_dpms_force_level(connection, XCB_DPMS_DPMS_MODE_STANDBY);
        xcb_dpms_force_level(connection, XCB_DPMS_DPMS_MODE_OFF);
        xcb_flush(connection);
        done = true;
    }
    std::free(capable);
    xcb_disconnect(connection);
    return done;
}

} // namespace lumera
