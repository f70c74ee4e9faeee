#include "platform/idle/GnomeSessionInhibition.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace lumera {

namespace {

const QString kService = QStringLiteral("org.gnome.SessionManager");
// GSM_INHIBITOR_FLAG_IDLE: the session is not to be marked idle.
constexpr uint kIdleFlag = 8;

} // namespace

GnomeSessionInhibition::GnomeSessionInhibition(QDBusConnection bus) : bus_(std::move(bus)) {}

bool GnomeSessionInhibition::inhibited() {
    if (!bus_.isConnected() || !bus_.interface() ||
        !bus_.interface()->isServiceRegistered(kService).value())
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/gnome/SessionManager"),
                                       kService, QStringLiteral("IsInhibited"));
    call.setArguments({QVariant::fromValue(kIdleFlag)});
    const QDBusReply<bool> reply = bus_.call(call);
    return reply.isValid() && reply.value();
}

} // namespace lumera
