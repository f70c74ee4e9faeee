#include "platform/idle/ScreenSaverService.h"

#include <QDBusConnectionInterface>
#include <algorithm>

namespace lumera {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
// The standard object path, and the one KDE began with that some programs still call.
const QString kPaths[] = {QStringLiteral("/org/freedesktop/ScreenSaver"),
                          QStringLiteral("/ScreenSaver")};

} // namespace

ScreenSaverService::ScreenSaverService(QDBusConnection bus, std::function<bool()> active,
                                       QObject* parent)
    : QObject(parent), bus_(std::move(bus)), active_(std::move(active)) {
    callers_.setConnection(bus_);
    callers_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&callers_, &QDBusServiceWatcher::serviceUnregistered, this,
            &ScreenSaverService::callerLeft);
}

ScreenSaverService::~ScreenSaverService() {
    if (!serving_)
        return;
    bus_.unregisterService(kService);
    for (const QString& path : kPaths)
        bus_.unregisterObject(path);
}

bool ScreenSaverService::serve() {
    QDBusConnectionInterface* bus = bus_.isConnected() ? bus_.interface() : nullptr;
    if (!bus || serving_)
        return serving_;
    for (const QString& path : kPaths) {
        if (!bus_.registerObject(path, this, QDBusConnection::ExportScriptableSlots))
            return false;
    }
    // A desktop that comes later may take the name over; what was asked of us still holds.
    serving_ = bus->registerService(kService, QDBusConnectionInterface::DontQueueService,
                                    QDBusConnectionInterface::AllowReplacement)
                   .value() == QDBusConnectionInterface::ServiceRegistered;
    if (!serving_) {
        for (const QString& path : kPaths)
            bus_.unregisterObject(path);
    }
    return serving_;
}

uint ScreenSaverService::Inhibit(const QString&, const QString&) {
    do
        ++lastCookie_;
    while (lastCookie_ == 0 || inhibitions_.count(lastCookie_));
    const QString caller = calledFromDBus() ? message().service() : QString();
    inhibitions_.emplace(lastCookie_, caller);
    if (!caller.isEmpty() && !callers_.watchedServices().contains(caller)) {
        callers_.addWatchedService(caller);
        // Gone before the watch was set: nobody would tell.
        if (!bus_.interface()->isServiceRegistered(caller).value())
            callerLeft(caller);
    }
    return lastCookie_;
}

void ScreenSaverService::UnInhibit(uint cookie) {
    const auto inhibition = inhibitions_.find(cookie);
    // Only the program that holds a cookie ends its inhibition.
    const QString caller = calledFromDBus() ? message().service() : QString();
    if (inhibition != inhibitions_.end() && inhibition->second == caller)
        drop(inhibition);
}

bool ScreenSaverService::GetActive() {
    return active_ && active_();
}

void ScreenSaverService::SimulateUserActivity() {
    emit userActivity();
}

void ScreenSaverService::callerLeft(const QString& caller) {
    callers_.removeWatchedService(caller);
    for (auto inhibition = inhibitions_.begin(); inhibition != inhibitions_.end();) {
        const auto next = std::next(inhibition);
        if (inhibition->second == caller)
            drop(inhibition);
        inhibition = next;
    }
}

void ScreenSaverService::drop(std::map<uint, QString>::iterator inhibition) {
    const QString caller = inhibition->second;
    inhibitions_.erase(inhibition);
    const bool callerHoldsMore =
        std::any_of(inhibitions_.cbegin(), inhibitions_.cend(),
                    [&caller](const auto& held) { return held.second == caller; });
    if (!callerHoldsMore && !caller.isEmpty())
        callers_.removeWatchedService(caller);
    if (inhibitions_.empty())
        emit released();
}

} // namespace lumera
