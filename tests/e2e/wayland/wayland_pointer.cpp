// wayland_pointer MOVES [SECONDS]: a pointer device of its own on the compositor of
// $WAYLAND_DISPLAY (wlroots' virtual pointer), which after a second moves by (5, 5) and back,
// MOVES times, 300 ms apart, and then stays for SECONDS (swaymsg's cursor commands move it
// meanwhile). A compositor started without input devices has no pointer but this one.
#include "virtual-pointer-client-protocol.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <wayland-client.h>

namespace {

wl_seat* seat = nullptr;
zwlr_virtual_pointer_manager_v1* manager = nullptr;

void announce(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (!seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kListener{announce, withdraw};

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

int main(int argc, char* argv[]) {
    const int moves = argc > 1 ? std::atoi(argv[1]) : 1;
    const int stay = argc > 2 ? std::atoi(argv[2]) : 0;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("no Wayland display\n", stderr);
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &kListener, nullptr);
    wl_display_roundtrip(display);
    if (!manager) {
        std::fputs("the compositor offers no virtual pointer\n", stderr);
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    // Clients bind the seat's new pointer and learn where it is before it moves.
    pause(1000);
    for (int i = 0; i < moves; ++i) {
        const int step = i % 2 ? -5 : 5;
        zwlr_virtual_pointer_v1_motion(pointer, 0, wl_fixed_from_int(step),
                                       wl_fixed_from_int(step));
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_flush(display);
        pause(300);
    }
    wl_display_roundtrip(display);
    pause(stay * 1000);
    wl_display_disconnect(display);
    return 0;
}
