#pragma once

#include "platform/idle/IdleInhibition.h"

#include <QDBusConnection>

namespace lumera {

// GNOME's session manager: whether a program holds an idle inhibition
// (org.gnome.SessionManager IsInhibited with the idle flag). Where the session bus has no
// session manager, nothing is inhibited.
class GnomeSessionInhibition : public IdleInhibition {
public:
    explicit GnomeSessionInhibition(QDBusConnection bus);
    bool inhibited() override;

private:
    QDBusConnection bus_;
};

} // namespace lumera
