#pragma once

#include "platform/screen/MonitorSwitch.h"

#include <QObject>
#include <memory>

namespace lumera {

// A Wayland compositor's way, over a connection of our own to $WAYLAND_DISPLAY: wlroots'
// output power management (sway and the other wlroots compositors) or KDE's DPMS protocol
// (KWin). KWin turns the monitors on again at the next input by itself; a wlroots compositor
// leaves that to the client, so the monitors go on again here at the user's first key press or
// pointer action, also while a program inhibits idleness.
class WaylandMonitorPower : public QObject, public MonitorSwitch {
public:
    enum class Protocol { Wlroots, KWin };
    explicit WaylandMonitorPower(Protocol protocol);
    // Monitors still off go on again.
    ~WaylandMonitorPower() override;

    // False without a compositor, an output or the protocol; wlroots' protocol also needs the
    // layer shell or an idle notification to tell when the user is back.
    bool turnOff() override;

    struct Connection;

private:
    bool turnOffWlroots(std::unique_ptr<Connection> connection);
    // What tells the user's return; none where the compositor offers no way.
    std::unique_ptr<QObject> watchForReturn();
    void turnOn();

    Protocol protocol_;
    // While wlroots' monitors are off: the connection that holds them, and the watch for the
    // user's return.
    std::unique_ptr<Connection> off_;
    std::unique_ptr<QObject> resume_;
};

} // namespace lumera
