#pragma once

#include "platform/screen/MonitorSwitch.h"

#include <QObject>
#include <memory>
#include <optional>

class QTimer;

namespace lumera {

// The X server's display power management, as much of it as turning the monitor off needs.
class DpmsDisplay {
public:
    struct State {
        bool enabled = false;
        bool monitorOn = true;
    };
    virtual ~DpmsDisplay() = default;
    // Nothing where there is no X display or it cannot manage the monitor's power.
    virtual std::optional<State> state() = 0;
    virtual void setEnabled(bool enabled) = 0;
    // Standby, then off. Only an enabled DPMS lets the levels be forced.
    virtual void forceStandbyThenOff() = 0;
};

// DPMS of the X display named by DISPLAY, through xcb.
std::unique_ptr<DpmsDisplay> xcbDpmsDisplay();

// The X server's way: turns the monitor off and leaves the user's DPMS setting as it found it.
// Forcing the monitor off needs DPMS enabled; where the user had it disabled, it is disabled
// again as soon as the monitor is back on (the X server turns it on at the next input), which
// is looked at once a second. Disabling it at once would turn the monitor straight back on.
class MonitorPower : public QObject, public MonitorSwitch {
public:
    explicit MonitorPower(std::unique_ptr<DpmsDisplay> display, QObject* parent = nullptr);
    // A setting not yet restored is restored now.
    ~MonitorPower() override;

    // False where the display cannot do it.
    bool turnOff() override;
    // Whether DPMS waits to be disabled again.
    bool restorePending() const { return restoreDisabled_; }
    // The look once a second.
    void watch();

private:
    std::unique_ptr<DpmsDisplay> display_;
    QTimer* timer_;
    bool restoreDisabled_ = false;
};

} // namespace lumera
