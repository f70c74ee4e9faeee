#include "platform/screen/MonitorSwitch.h"

#include "platform/screen/MonitorPower.h"
#include "platform/screen/MutterMonitorPower.h"
#include "platform/screen/WaylandMonitorPower.h"

#include <QtGlobal>

namespace lumera {

SessionMonitorSwitch::SessionMonitorSwitch(bool waylandSession, std::unique_ptr<MonitorSwitch> x11,
                                           std::vector<std::unique_ptr<MonitorSwitch>> compositor)
    : waylandSession_(waylandSession), x11_(std::move(x11)), compositor_(std::move(compositor)) {}

bool SessionMonitorSwitch::turnOff() {
    if (!waylandSession_)
        return x11_->turnOff();
    for (const std::unique_ptr<MonitorSwitch>& way : compositor_) {
        if (way->turnOff())
            return true;
    }
    return false;
}

std::unique_ptr<MonitorSwitch> sessionMonitorSwitch() {
    std::vector<std::unique_ptr<MonitorSwitch>> compositor;
    compositor.push_back(
        std::make_unique<WaylandMonitorPower>(WaylandMonitorPower::Protocol::Wlroots));
    compositor.push_back(
        std::make_unique<WaylandMonitorPower>(WaylandMonitorPower::Protocol::KWin));
    compositor.push_back(std::make_unique<MutterMonitorPower>());
    return std::make_unique<SessionMonitorSwitch>(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"),
                                                  std::make_unique<MonitorPower>(xcbDpmsDisplay()),
                                                  std::move(compositor));
}

} // namespace lumera
