#include "platform/idle/WaylandIdleInhibitor.h"

#include "idle-inhibit-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace lumera {

struct WaylandIdleInhibitor::Globals {
    wl_display* display = nullptr;
    wl_event_queue* queue = nullptr;
    wl_registry* registry = nullptr;
    zwp_idle_inhibit_manager_v1* manager = nullptr;
};

namespace {

using Globals = WaylandIdleInhibitor::Globals;

// Half a second for a shown window's surface to come.
constexpr int kSurfaceWaitMs = 50;
constexpr int kSurfaceWaits = 10;

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (!globals->manager &&
        std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) == 0)
        globals->manager = static_cast<zwp_idle_inhibit_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{announce, withdraw};

QPlatformNativeInterface* nativeInterface() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
               ? QGuiApplication::platformNativeInterface()
               : nullptr;
}

wl_surface* surfaceOf(QWindow* window) {
    QPlatformNativeInterface* native = nativeInterface();
    return native && window && window->handle()
               ? static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window))
               : nullptr;
}

} // namespace

WaylandIdleInhibitor::WaylandIdleInhibitor() : globals_(std::make_unique<Globals>()) {
    surfaceWait_.setSingleShot(true);
    surfaceWait_.setInterval(kSurfaceWaitMs);
    connect(&surfaceWait_, &QTimer::timeout, this, [this] {
        if (!update() && ++surfaceWaits_ < kSurfaceWaits)
            surfaceWait_.start();
    });
    QPlatformNativeInterface* native = nativeInterface();
    if (!native)
        return;
    globals_->display =
        static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    if (!globals_->display)
        return;
    // A queue of our own, so that Qt's dispatching never runs our listeners nor we Qt's.
    globals_->queue = wl_display_create_queue(globals_->display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(globals_->display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), globals_->queue);
    globals_->registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(globals_->registry, &kRegistryListener, globals_.get());
    wl_display_roundtrip_queue(globals_->display, globals_->queue);
}

WaylandIdleInhibitor::~WaylandIdleInhibitor() {
    wanted_.clear();
    update();
    if (globals_->manager)
        zwp_idle_inhibit_manager_v1_destroy(globals_->manager);
    if (globals_->registry)
        wl_registry_destroy(globals_->registry);
    if (globals_->queue) {
        wl_display_flush(globals_->display);
        wl_event_queue_destroy(globals_->queue);
    }
}

bool WaylandIdleInhibitor::offered() const {
    return globals_->manager != nullptr;
}

void WaylandIdleInhibitor::hold(const QList<QWindow*>& windows) {
    wanted_.clear();
    for (QWindow* window : windows)
        wanted_.append(window);
    surfaceWaits_ = 0;
    if (!update())
        surfaceWait_.start();
}

bool WaylandIdleInhibitor::update() {
    if (!globals_->manager)
        return true;
    // An inhibitor goes with its window, and with the surface it was made on: a window hidden
    // and shown again has a new one.
    const auto stale = [this](const Inhibitor& held) {
        return !held.window || !wanted_.contains(held.window) ||
               surfaceOf(held.window) != held.surface;
    };
    for (const Inhibitor& held : inhibitors_) {
        if (stale(held))
            zwp_idle_inhibitor_v1_destroy(held.inhibitor);
    }
    inhibitors_.erase(std::remove_if(inhibitors_.begin(), inhibitors_.end(), stale),
                      inhibitors_.end());
    bool complete = true;
    for (const QPointer<QWindow>& window : wanted_) {
        const bool held = std::any_of(
            inhibitors_.cbegin(), inhibitors_.cend(),
            [&window](const Inhibitor& inhibitor) { return inhibitor.window == window; });
        if (held || !window)
            continue;
        wl_surface* surface = surfaceOf(window);
        if (!surface) {
            complete = false;
            continue;
        }
        inhibitors_.push_back(
            {window, surface,
             zwp_idle_inhibit_manager_v1_create_inhibitor(globals_->manager, surface)});
    }
    wl_display_flush(globals_->display);
    return complete;
}

} // namespace lumera
