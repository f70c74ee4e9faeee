#include "platform/idle/DesktopInhibitors.h"

#include "platform/idle/DBusIdleInhibitor.h"
#include "platform/idle/WaylandIdleInhibitor.h"

#include <QDBusConnection>
#include <algorithm>

namespace lumera {

InhibitorSet::InhibitorSet(std::vector<std::unique_ptr<ScreenSaverInhibitor>> ways)
    : ways_(std::move(ways)) {}

void InhibitorSet::hold(const QList<QWindow*>& windows) {
    for (const std::unique_ptr<ScreenSaverInhibitor>& way : ways_)
        way->hold(windows);
}

bool InhibitorSet::inhibited() const {
    return std::any_of(
        ways_.cbegin(), ways_.cend(),
        [](const std::unique_ptr<ScreenSaverInhibitor>& way) { return way->inhibited(); });
}

std::unique_ptr<ScreenSaverInhibitor> desktopInhibitors(const QString& applicationName) {
    using Service = DBusIdleInhibitor::Service;
    std::vector<std::unique_ptr<ScreenSaverInhibitor>> ways;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    for (Service service : {Service::FreedesktopScreenSaver, Service::SessionManager,
                            Service::MateScreenSaver, Service::XfceScreenSaver})
        ways.push_back(std::make_unique<DBusIdleInhibitor>(bus, service, applicationName));
    auto compositor = std::make_unique<WaylandIdleInhibitor>();
    if (compositor->offered())
        ways.push_back(std::move(compositor));
    return std::make_unique<InhibitorSet>(std::move(ways));
}

} // namespace lumera
