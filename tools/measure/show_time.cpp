// Runs a command (a click on a tray icon, say) and prints the milliseconds from just before it
// until a window whose title ends with SUFFIX is on screen: until the window manager has mapped
// the frame around it (or the window itself, where nobody manages it). Waiting for the X event
// rather than asking again and again keeps the measurement's own cost out of the figure.
//
//   show_time SUFFIX COMMAND [ARGUMENTS...]
//
// Exit status 1 when no such window came within a minute.
#include "tools/measure/RootWatch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string title(xcb_connection_t* x, xcb_window_t window, xcb_atom_t netWmName, xcb_atom_t utf8) {
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, netWmName, utf8, 0, 1024),
                               nullptr),
        &std::free);
    if (!reply)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

// Whether the window or one of its descendants a few levels down (a frame holds the client
// window, sometimes inside a window of its own) has a title ending with the suffix.
bool holdsTitle(xcb_connection_t* x, xcb_window_t window, const std::string& suffix,
                xcb_atom_t netWmName, xcb_atom_t utf8, int depth = 0) {
    const std::string name = title(x, window, netWmName, utf8);
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        return true;
    if (depth == 3)
        return false;
    XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr), &std::free);
    if (!tree)
        return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return std::any_of(children, children + xcb_query_tree_children_length(tree.get()),
                       [&](xcb_window_t child) {
                           return holdsTitle(x, child, suffix, netWmName, utf8, depth + 1);
                       });
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: show_time SUFFIX COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    const std::string suffix = argv[1];
    // A window manager maps the frame it puts around a window, a child of the root.
    xcb_connection_t* x = watchRoot("show_time").x;
    if (!x)
        return 2;
    const xcb_atom_t netWmName = atom(x, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(x, "UTF8_STRING");

    const Clock::time_point start = Clock::now();
    const pid_t command = ::fork();
    if (command == 0) {
        ::execvp(argv[2], argv + 2);
        std::perror("show_time: cannot run the command");
        ::_exit(127);
    }
    const Clock::time_point deadline = start + std::chrono::seconds(60);
    pollfd events{xcb_get_file_descriptor(x), POLLIN, 0};
    int status = 1;
    while (status == 1 && !xcb_connection_has_error(x)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const Clock::time_point seen = Clock::now();
            const bool shown =
                (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                holdsTitle(x, reinterpret_cast<xcb_map_notify_event_t*>(event)->window, suffix,
                           netWmName, utf8);
            std::free(event);
            if (shown && status == 1) {
                const auto took =
                    std::chrono::duration_cast<std::chrono::microseconds>(seen - start);
                std::printf("%.1f\n", took.count() / 1000.0);
                status = 0;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        ::poll(&events, 1, static_cast<int>(std::min<long>(left.count(), 200)));
    }
    ::waitpid(command, nullptr, 0);
    if (status != 0)
        std::fprintf(stderr, "show_time: no window ending with \"%s\" came\n", suffix.c_str());
    xcb_disconnect(x);
    return status;
}
