#include "platform/idle/WaylandIdleSource.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"
#include "platform/wayland/WaylandEvents.h"

#include <cstring>
#include <wayland-client.h>

namespace lumera {

struct WaylandIdleSource::Globals {
    WaylandIdleSource* source = nullptr;
    wl_seat* seat = nullptr;
    ext_idle_notifier_v1* notifier = nullptr;
    org_kde_kwin_idle* kdeIdle = nullptr;
    ext_idle_notification_v1* notification = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout = nullptr;
};

namespace {

using Globals = WaylandIdleSource::Globals;

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (!globals->seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        globals->notifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
        globals->kdeIdle = static_cast<org_kde_kwin_idle*>(
            wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{announce, withdraw};

void idled(void* data) {
    emit static_cast<Globals*>(data)->source->idled();
}

void resumed(void* data) {
    emit static_cast<Globals*>(data)->source->resumed();
}

const ext_idle_notification_v1_listener kNotificationListener{
    [](void* data, ext_idle_notification_v1*) { idled(data); },
    [](void* data, ext_idle_notification_v1*) { resumed(data); },
};

const org_kde_kwin_idle_timeout_listener kKdeTimeoutListener{
    [](void* data, org_kde_kwin_idle_timeout*) { idled(data); },
    [](void* data, org_kde_kwin_idle_timeout*) { resumed(data); },
};

} // namespace

WaylandIdleSource::WaylandIdleSource(QObject* parent)
    : IdleSource(parent), globals_(std::make_unique<Globals>()) {
    globals_->source = this;
}

WaylandIdleSource::~WaylandIdleSource() {
    if (!display_)
        return;
    if (globals_->notification)
        ext_idle_notification_v1_destroy(globals_->notification);
    if (globals_->kdeTimeout)
        org_kde_kwin_idle_timeout_release(globals_->kdeTimeout);
    if (globals_->notifier)
        ext_idle_notifier_v1_destroy(globals_->notifier);
    if (globals_->kdeIdle)
        org_kde_kwin_idle_destroy(globals_->kdeIdle);
    if (globals_->seat)
        wl_seat_destroy(globals_->seat);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

bool WaylandIdleSource::watch(std::chrono::milliseconds idleTime) {
    display_ = wl_display_connect(nullptr);
    if (!display_)
        return false;
    wl_registry* registry = wl_display_get_registry(display_);
    wl_registry_add_listener(registry, &kRegistryListener, globals_.get());
    const int answered = wl_display_roundtrip(display_);
    wl_registry_destroy(registry);
    if (answered < 0 || !globals_->seat)
        return false;
    const auto timeout = static_cast<uint32_t>(idleTime.count());
    if (globals_->notifier) {
        globals_->notification =
            ext_idle_notifier_v1_get_idle_notification(globals_->notifier, timeout, globals_->seat);
        ext_idle_notification_v1_add_listener(globals_->notification, &kNotificationListener,
                                              globals_.get());
    } else if (globals_->kdeIdle) {
        globals_->kdeTimeout =
            org_kde_kwin_idle_get_idle_timeout(globals_->kdeIdle, globals_->seat, timeout);
        org_kde_kwin_idle_timeout_add_listener(globals_->kdeTimeout, &kKdeTimeoutListener,
                                               globals_.get());
    } else {
        return false;
    }
    if (wl_display_flush(display_) < 0)
        return false;
    connect(new WaylandEvents(display_, this), &WaylandEvents::lost, this,
            &WaylandIdleSource::lost);
    return true;
}

} // namespace lumera
