// What the X stopwatches share: a connection to the display that hears of every change among
// the root window's children (a window mapped, or moved into another), and atoms by name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

inline xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

struct RootWatch {
    xcb_connection_t* x = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
};

// Connects and listens to the root window's children; says so on stderr, in the program's
// name, and returns no connection where there is no display.
inline RootWatch watchRoot(const char* program) {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "%s: no X display\n", program);
        xcb_disconnect(x);
        return {};
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    return {x, root};
}
