#pragma once

#include <memory>
#include <vector>

namespace lumera {

// One way of turning the monitors off.
class MonitorSwitch {
public:
    virtual ~MonitorSwitch() = default;
    // Turns the monitors off until the next key press or pointer move. False where the
    // desktop does not offer this way; nothing has changed then.
    virtual bool turnOff() = 0;
};

// The way the session offers, looked for at each request. A Wayland session goes through its
// compositor, whichever Qt platform the program runs on: XWayland's DPMS does not reach the
// screen. Any other session goes through the X server's DPMS.
class SessionMonitorSwitch : public MonitorSwitch {
public:
    // The compositor's ways in the order they are tried.
    SessionMonitorSwitch(bool waylandSession, std::unique_ptr<MonitorSwitch> x11,
                         std::vector<std::unique_ptr<MonitorSwitch>> compositor);
    bool turnOff() override;

private:
    bool waylandSession_;
    std::unique_ptr<MonitorSwitch> x11_;
    std::vector<std::unique_ptr<MonitorSwitch>> compositor_;
};

// The ways of the session the program runs in: $WAYLAND_DISPLAY tells a Wayland session.
std::unique_ptr<MonitorSwitch> sessionMonitorSwitch();

} // namespace lumera
