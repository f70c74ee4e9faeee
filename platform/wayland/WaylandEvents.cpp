#include "platform/wayland/WaylandEvents.h"

#include <QSocketNotifier>
#include <wayland-client.h>

namespace lumera {

WaylandEvents::WaylandEvents(wl_display* display, QObject* parent)
    : QObject(parent), display_(display),
      notifier_(new QSocketNotifier(wl_display_get_fd(display), QSocketNotifier::Read, this)) {
    connect(notifier_, &QSocketNotifier::activated, this, &WaylandEvents::dispatch);
}

void WaylandEvents::dispatch() {
    if (wl_display_dispatch(display_) < 0) {
        notifier_->setEnabled(false);
        emit lost();
        return;
    }
    wl_display_flush(display_);
}

} // namespace lumera
