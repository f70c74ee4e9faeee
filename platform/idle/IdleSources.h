#pragma once

#include "platform/idle/IdleSource.h"

#include <memory>

class QDBusConnection;

namespace lumera {

// The idle source the session offers: GNOME's own monitor where it runs, then the compositor's
// protocol in a Wayland session, else the X server's count.
std::unique_ptr<IdleSource> sessionIdleSource(const QDBusConnection& bus);

} // namespace lumera
