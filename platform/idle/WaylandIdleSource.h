#pragma once

#include "platform/idle/IdleSource.h"

#include <memory>

struct wl_display;

namespace lumera {

// An IdleSource told by the Wayland compositor, over a connection of our own to
// $WAYLAND_DISPLAY: ext-idle-notify-v1 where it is offered, else KDE's org_kde_kwin_idle.
// Both leave out the time a program inhibits idleness, so an inhibited desktop is never idle.
class WaylandIdleSource : public IdleSource {
    Q_OBJECT
public:
    explicit WaylandIdleSource(QObject* parent = nullptr);
    ~WaylandIdleSource() override;

    // False without a compositor, a seat or either protocol.
    bool watch(std::chrono::milliseconds idleTime) override;

    struct Globals;

private:
    wl_display* display_ = nullptr;
    std::unique_ptr<Globals> globals_;
};

} // namespace lumera
