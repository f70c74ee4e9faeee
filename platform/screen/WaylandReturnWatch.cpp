#include "platform/screen/WaylandReturnWatch.h"

#include "platform/wayland/WaylandEvents.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <QElapsedTimer>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>
#include <wayland-client.h>

namespace lumera {

struct WaylandReturnWatch::Globals {
    struct Curtain {
        Globals* globals = nullptr;
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layer = nullptr;
        wl_buffer* buffer = nullptr;

        ~Curtain() {
            if (buffer)
                wl_buffer_destroy(buffer);
            zwlr_layer_surface_v1_destroy(layer);
            wl_surface_destroy(surface);
        }
    };

    WaylandReturnWatch* watch = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    zwlr_layer_shell_v1* shell = nullptr;
    std::vector<wl_output*> outputs;
    wl_pointer* pointer = nullptr;
    wl_keyboard* keyboard = nullptr;
    std::vector<std::unique_ptr<Curtain>> curtains;
    QElapsedTimer since;
    std::chrono::milliseconds restTime{0};
    bool returned = false;

    void input() {
        if (returned || since.elapsed() < restTime.count())
            return;
        returned = true;
        emit watch->returned();
    }

    ~Globals() {
        curtains.clear();
        if (pointer)
            wl_pointer_destroy(pointer);
        if (keyboard)
            wl_keyboard_destroy(keyboard);
        for (wl_output* output : outputs)
            wl_output_destroy(output);
        if (shell)
            wl_proxy_destroy(reinterpret_cast<wl_proxy*>(shell));
        if (seat)
            wl_seat_destroy(seat);
        if (shm)
            wl_shm_destroy(shm);
        if (compositor)
            wl_compositor_destroy(compositor);
    }
};

namespace {

using Globals = WaylandReturnWatch::Globals;
using Curtain = Globals::Curtain;

template <typename T> T* bind(wl_registry* registry, uint32_t name, const wl_interface& interface) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, 1));
}

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0)
        globals->compositor = bind<wl_compositor>(registry, name, wl_compositor_interface);
    else if (std::strcmp(interface, wl_shm_interface.name) == 0)
        globals->shm = bind<wl_shm>(registry, name, wl_shm_interface);
    else if (!globals->seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        globals->seat = bind<wl_seat>(registry, name, wl_seat_interface);
    else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        globals->shell = bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface);
    else if (std::strcmp(interface, wl_output_interface.name) == 0)
        globals->outputs.push_back(bind<wl_output>(registry, name, wl_output_interface));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{announce, withdraw};

void input(void* data) {
    static_cast<Globals*>(data)->input();
}

// Version 1 of the pointer and the keyboard: motion, a button or the wheel, and a key pressed
// are the user; entering, leaving and keys let go of are not.
// The pointer's events differ between versions of libwayland: the ones of version 1 are named.
const wl_pointer_listener kPointerListener = [] {
    wl_pointer_listener listener{};
    listener.enter = [](void*, wl_pointer*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t) {};
    listener.leave = [](void*, wl_pointer*, uint32_t, wl_surface*) {};
    listener.motion = [](void* data, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t) {
        input(data);
    };
    listener.button = [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t) {
        input(data);
    };
    listener.axis = [](void* data, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) { input(data); };
    return listener;
}();

const wl_keyboard_listener kKeyboardListener{
    [](void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); },
    [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {},
    [](void*, wl_keyboard*, uint32_t, wl_surface*) {},
    [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) {
        if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
            input(data);
    },
    [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void*, wl_keyboard*, int32_t, int32_t) {},
};

// The pointer and the keyboard as the seat gets them: a virtual keyboard may come only with
// the first key.
const wl_seat_listener kSeatListener{
    [](void* data, wl_seat* seat, uint32_t capabilities) {
        auto* globals = static_cast<Globals*>(data);
        if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !globals->pointer) {
            globals->pointer = wl_seat_get_pointer(seat);
            wl_pointer_add_listener(globals->pointer, &kPointerListener, globals);
        }
        if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !globals->keyboard) {
            globals->keyboard = wl_seat_get_keyboard(seat);
            wl_keyboard_add_listener(globals->keyboard, &kKeyboardListener, globals);
        }
    },
    [](void*, wl_seat*, const char*) {},
};

// A black buffer the size given, from shared memory that stays untouched (zero pages).
wl_buffer* blackBuffer(wl_shm* shm, uint32_t width, uint32_t height) {
    const int32_t stride = static_cast<int32_t>(width) * 4;
    const int32_t size = stride * static_cast<int32_t>(height);
    const int fd = memfd_create("lumera-curtain", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    wl_buffer* buffer = nullptr;
    if (ftruncate(fd, size) == 0) {
        wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
        buffer =
            wl_shm_pool_create_buffer(pool, 0, static_cast<int32_t>(width),
                                      static_cast<int32_t>(height), stride, WL_SHM_FORMAT_XRGB8888);
        wl_shm_pool_destroy(pool);
    }
    close(fd);
    return buffer;
}

const zwlr_layer_surface_v1_listener kLayerListener{
    [](void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height) {
        auto* curtain = static_cast<Curtain*>(data);
        zwlr_layer_surface_v1_ack_configure(layer, serial);
        if (curtain->buffer || width == 0 || height == 0)
            return;
        curtain->buffer = blackBuffer(curtain->globals->shm, width, height);
        if (!curtain->buffer)
            return;
        wl_surface_attach(curtain->surface, curtain->buffer, 0, 0);
        wl_surface_damage(curtain->surface, 0, 0, static_cast<int32_t>(width),
                          static_cast<int32_t>(height));
        wl_surface_commit(curtain->surface);
    },
    // The compositor no longer shows it (its output went): it goes.
    [](void* data, zwlr_layer_surface_v1*) {
        auto* curtain = static_cast<Curtain*>(data);
        std::erase_if(curtain->globals->curtains,
                      [curtain](const std::unique_ptr<Curtain>& c) { return c.get() == curtain; });
    },
};

} // namespace

WaylandReturnWatch::WaylandReturnWatch(QObject* parent)
    : QObject(parent), globals_(std::make_unique<Globals>()) {
    globals_->watch = this;
}

WaylandReturnWatch::~WaylandReturnWatch() {
    if (!display_)
        return;
    globals_.reset();
    // The curtains come off before the connection goes.
    wl_display_roundtrip(display_);
    wl_display_disconnect(display_);
}

bool WaylandReturnWatch::watch(std::chrono::milliseconds restTime) {
    display_ = wl_display_connect(nullptr);
    if (!display_)
        return false;
    Globals& globals = *globals_;
    wl_registry* registry = wl_display_get_registry(display_);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    const int answered = wl_display_roundtrip(display_);
    wl_registry_destroy(registry);
    if (answered < 0 || !globals.compositor || !globals.shm || !globals.seat || !globals.shell ||
        globals.outputs.empty())
        return false;
    globals.restTime = restTime;
    globals.since.start();
    wl_seat_add_listener(globals.seat, &kSeatListener, &globals);
    for (wl_output* output : globals.outputs) {
        auto curtain = std::make_unique<Curtain>();
        curtain->globals = &globals;
        curtain->surface = wl_compositor_create_surface(globals.compositor);
        curtain->layer = zwlr_layer_shell_v1_get_layer_surface(
            globals.shell, curtain->surface, output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
            "lumera-monitor-off");
        zwlr_layer_surface_v1_add_listener(curtain->layer, &kLayerListener, curtain.get());
        zwlr_layer_surface_v1_set_anchor(curtain->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_exclusive_zone(curtain->layer, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(curtain->layer, 1);
        wl_surface_commit(curtain->surface);
        globals.curtains.push_back(std::move(curtain));
    }
    // The surfaces' first configuration came in the round trip: what that answered goes out now.
    if (wl_display_roundtrip(display_) < 0 || wl_display_flush(display_) < 0)
        return false;
    connect(new WaylandEvents(display_, this), &WaylandEvents::lost, this,
            &WaylandReturnWatch::lost);
    return true;
}

} // namespace lumera
