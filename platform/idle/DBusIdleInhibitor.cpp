#include "platform/idle/DBusIdleInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QWindow>

namespace lumera {

namespace {

struct Names {
    QString service;
    QString path;
    QString interface;
    QString release;
};

Names namesOf(DBusIdleInhibitor::Service service) {
    using Service = DBusIdleInhibitor::Service;
    switch (service) {
    case Service::SessionManager:
        return {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
                "Uninhibit"};
    case Service::MateScreenSaver:
        return {"org.mate.ScreenSaver", "/org/mate/ScreenSaver", "org.mate.ScreenSaver",
                "UnInhibit"};
    case Service::XfceScreenSaver:
        return {"org.xfce.ScreenSaver", "/org/xfce/ScreenSaver", "org.xfce.ScreenSaver",
                "UnInhibit"};
    case Service::FreedesktopScreenSaver:
        break;
    }
    return {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
            "org.freedesktop.ScreenSaver", "UnInhibit"};
}

const QString kReason = QStringLiteral("正在观看");
// GSM_INHIBITOR_FLAG_IDLE: the session is not to be marked idle.
constexpr std::uint32_t kIdleFlag = 8;
constexpr int kTimeoutMs = 2000;

} // namespace

DBusIdleInhibitor::DBusIdleInhibitor(QDBusConnection bus, Service service, QString applicationName)
    : bus_(std::move(bus)), service_(service), applicationName_(std::move(applicationName)) {
    owner_.setConnection(bus_);
    owner_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    owner_.addWatchedService(namesOf(service_).service);
    connect(&owner_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                ownerChanged(newOwner);
            });
    // Asked once here, then told by the watcher: the windows' every show and hide need not ask.
    owned_ = bus_.isConnected() && bus_.interface() &&
             bus_.interface()->isServiceRegistered(namesOf(service_).service).value();
}

DBusIdleInhibitor::~DBusIdleInhibitor() {
    release();
}

void DBusIdleInhibitor::hold(const QList<QWindow*>& windows) {
    wanted_ = !windows.isEmpty();
    // Only an X window has an id the session manager can use.
    windowId_ = wanted_ && QGuiApplication::platformName() == QLatin1String("xcb")
                    ? static_cast<std::uint32_t>(windows.constFirst()->winId())
                    : 0;
    if (wanted_)
        inhibit();
    else
        release();
}

void DBusIdleInhibitor::inhibit() {
    if (cookie_ || !owned_)
        return;
    const Names names = namesOf(service_);
    QDBusMessage call =
        QDBusMessage::createMethodCall(names.service, names.path, names.interface, "Inhibit");
    if (service_ == Service::SessionManager)
        call << applicationName_ << windowId_ << kReason << kIdleFlag;
    else
        call << applicationName_ << kReason;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        cookie_ = reply.arguments().constFirst().toUInt();
}

void DBusIdleInhibitor::release() {
    if (!cookie_)
        return;
    const std::uint32_t cookie = *cookie_;
    cookie_.reset();
    if (!bus_.isConnected())
        return;
    const Names names = namesOf(service_);
    QDBusMessage call =
        QDBusMessage::createMethodCall(names.service, names.path, names.interface, names.release);
    call << cookie;
    bus_.call(call, QDBus::Block, kTimeoutMs);
}

void DBusIdleInhibitor::ownerChanged(const QString& newOwner) {
    // The cookie was the old owner's: it went with it.
    cookie_.reset();
    owned_ = !newOwner.isEmpty();
    if (wanted_)
        inhibit();
}

} // namespace lumera
