// Starts a program and prints the milliseconds from its start until its icon is docked in
// the notification area: until the tray has taken a window of that process into its own.
// The program's own output is dropped; it is then sent SIGTERM (SIGKILL if it is not gone ten
// seconds later).
//
//   dock_time PROGRAM [ARGUMENTS...]
//
// Needs a running tray on $DISPLAY. Exit status 1 when no icon docked within a minute.
#include "tools/measure/RootWatch.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

// The process that made the window, as the window says; 0 when it does not say.
pid_t windowPid(xcb_connection_t* x, xcb_window_t window, xcb_atom_t netWmPid) {
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1),
                               nullptr),
        &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    return static_cast<pid_t>(*static_cast<std::uint32_t*>(xcb_get_property_value(reply.get())));
}

void stop(pid_t child) {
    ::kill(child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(child, nullptr, WNOHANG) == child)
            return;
        ::usleep(100000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dock_time PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    // A tray docks an icon by moving its window from the root into a window of its own.
    const RootWatch watch = watchRoot("dock_time");
    xcb_connection_t* x = watch.x;
    const xcb_window_t root = watch.root;
    if (!x)
        return 2;
    const xcb_atom_t netWmPid = atom(x, "_NET_WM_PID");

    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        // What the program says would only clutter the figures.
        const int error = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        ::execvp(argv[1], argv + 1);
        ::dprintf(error, "dock_time: cannot start %s: %s\n", argv[1], std::strerror(errno));
        ::_exit(127);
    }
    const Clock::time_point deadline = start + std::chrono::seconds(60);
    bool ended = false;
    pollfd events{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool docked = (event->response_type & 0x7f) == XCB_REPARENT_NOTIFY && [&] {
                auto* moved = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
                return moved->parent != root && windowPid(x, moved->window, netWmPid) == child;
            }();
            std::free(event);
            if (docked) {
                const auto took =
                    std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
                std::printf("%.1f\n", took.count() / 1000.0);
                std::fflush(stdout);
                stop(child);
                xcb_disconnect(x);
                return 0;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        ended = ::waitpid(child, nullptr, WNOHANG) == child;
        if (left.count() <= 0 || ended || xcb_connection_has_error(x))
            break;
        ::poll(&events, 1, static_cast<int>(std::min<long>(left.count(), 200)));
    }
    std::fprintf(stderr, "dock_time: no icon of %s docked\n", argv[1]);
    if (!ended)
        stop(child);
    xcb_disconnect(x);
    return 1;
}
