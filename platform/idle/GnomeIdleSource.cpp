#include "platform/idle/GnomeIdleSource.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace lumera {

namespace {

const QString kService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");

} // namespace

GnomeIdleSource::GnomeIdleSource(QDBusConnection bus, QObject* parent)
    : IdleSource(parent), bus_(std::move(bus)) {
    shell_.setConnection(bus_);
    // A shell started with --replace takes the name straight from the old one, without its
    // going unowned in between: every new owner counts.
    shell_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    shell_.addWatchedService(kService);
    connect(&shell_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (!newOwner.isEmpty())
                    shellStarted();
            });
}

bool GnomeIdleSource::available(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(kService).value();
}

bool GnomeIdleSource::watch(std::chrono::milliseconds idleTime) {
    if (!bus_.connect(kService, kPath, kInterface, QStringLiteral("WatchFired"), this,
                      SLOT(watchFired(uint))))
        return false;
    idleTime_ = idleTime;
    return addIdleWatch();
}

bool GnomeIdleSource::addIdleWatch() {
    idleWatch_ = addWatch(QStringLiteral("AddIdleWatch"),
                          {QVariant::fromValue(static_cast<qulonglong>(idleTime_.count()))});
    return idleWatch_ != 0;
}

void GnomeIdleSource::shellStarted() {
    if (idleTime_.count() == 0)
        return;
    // Nobody will tell the end of a period the old shell was watching: it ends here.
    if (activeWatch_ != 0) {
        activeWatch_ = 0;
        emit resumed();
    }
    addIdleWatch();
}

uint GnomeIdleSource::addWatch(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    const QDBusReply<uint> reply = bus_.call(call);
    return reply.isValid() ? reply.value() : 0;
}

void GnomeIdleSource::watchFired(uint id) {
    if (id == 0)
        return;
    if (id == idleWatch_) {
        // The user-active watch fires once and is gone; the idle watch fires at every period.
        activeWatch_ = addWatch(QStringLiteral("AddUserActiveWatch"), {});
        emit idled();
    } else if (id == activeWatch_) {
        activeWatch_ = 0;
        emit resumed();
    }
}

} // namespace lumera
