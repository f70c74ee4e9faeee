#include "platform/registry/DBusScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace lumera {

namespace {

const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
const char* const kInterface = "org.freedesktop.ScreenSaver";
constexpr int kTimeoutMs = 2000;

} // namespace

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor(QString applicationName)
    : applicationName_(std::move(applicationName)) {}

DBusScreenSaverInhibitor::~DBusScreenSaverInhibitor() {
    release();
}

void DBusScreenSaverInhibitor::inhibit() {
    if (cookie_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(kService).value())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Inhibit");
    call << applicationName_ << QStringLiteral("a main window is open");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        cookie_ = reply.arguments().constFirst().toUInt();
}

void DBusScreenSaverInhibitor::release() {
    if (!cookie_)
        return;
    const std::uint32_t cookie = *cookie_;
    cookie_.reset();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "UnInhibit");
    call << cookie;
    bus.call(call, QDBus::Block, kTimeoutMs);
}

} // namespace lumera
