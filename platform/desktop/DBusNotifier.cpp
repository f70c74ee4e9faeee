#include "platform/desktop/DBusNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace lumera {

DBusNotifier::DBusNotifier(QString applicationName)
    : applicationName_(std::move(applicationName)) {}

void DBusNotifier::notify(const QString& title, const QString& body) {
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.interface();
    if (!names)
        return;
    const QStringList activatable = names->activatableServiceNames().value();
    if (!names->isServiceRegistered(service).value() && !activatable.contains(service))
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/Notifications"),
                                       service, QStringLiteral("Notify"));
    call << applicationName_ << uint(0) << QStringLiteral("lumera-korvid") << title << body
         << QStringList() << QVariantMap() << int(-1);
    bus.call(call, QDBus::Block, 5000);
}

} // namespace lumera
