#include "platform/idle/IdleSources.h"

#include "platform/idle/GnomeIdleSource.h"
#include "platform/idle/PolledIdleSource.h"
#include "platform/idle/WaylandIdleSource.h"
#include "platform/idle/X11IdleTime.h"

#include <QDBusConnection>

namespace lumera {

std::unique_ptr<IdleSource> sessionIdleSource(const QDBusConnection& bus) {
    if (GnomeIdleSource::available(bus))
        return std::make_unique<GnomeIdleSource>(bus);
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::make_unique<WaylandIdleSource>();
    auto x11 = std::make_shared<X11IdleTime>();
    return std::make_unique<PolledIdleSource>([x11] { return x11->sinceInput(); });
}

} // namespace lumera
