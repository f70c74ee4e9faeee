#pragma once

#include "platform/screen/MonitorSwitch.h"

#include <QDBusConnection>

namespace lumera {

// GNOME's way: the power-save mode of Mutter's display configuration on the session bus.
// Mutter turns the monitors on again at the next input.
class MutterMonitorPower : public MonitorSwitch {
public:
    explicit MutterMonitorPower(QDBusConnection bus = QDBusConnection::sessionBus());
    // False where no Mutter answers on the bus.
    bool turnOff() override;

private:
    QDBusConnection bus_;
};

} // namespace lumera
