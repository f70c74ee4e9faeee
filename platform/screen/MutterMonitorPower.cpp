#include "platform/screen/MutterMonitorPower.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace lumera {

namespace {

const QString kService = QStringLiteral("org.gnome.Mutter.DisplayConfig");
const QString kPath = QStringLiteral("/org/gnome/Mutter/DisplayConfig");
// Mutter's power-save modes: 0 on, 1 standby, 2 suspend, 3 off.
constexpr int kPowerSaveOff = 3;
constexpr int kAnswerTimeoutMs = 2000;

} // namespace

MutterMonitorPower::MutterMonitorPower(QDBusConnection bus) : bus_(std::move(bus)) {}

bool MutterMonitorPower::turnOff() {
    if (!bus_.isConnected())
        return false;
    QDBusMessage set = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << kService << QStringLiteral("PowerSaveMode")
        << QVariant::fromValue(QDBusVariant(kPowerSaveOff));
    return bus_.call(set, QDBus::Block, kAnswerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace lumera
