#pragma once

#include "platform/idle/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

namespace lumera {

// An idle inhibition asked of one service on the session bus, where somebody owns its name;
// no bus or no owner is not an error. A service that starts (or starts again) while the
// inhibition is wanted is asked then. The service ends it when our connection ends, so it
// goes with the process, also at a crash.
class DBusIdleInhibitor : public QObject, public ScreenSaverInhibitor {
public:
    enum class Service {
        // org.freedesktop.ScreenSaver: KDE, GNOME's settings daemon, xscreensaver's helper,
        // the saver's own idle starter.
        FreedesktopScreenSaver,
        // org.gnome.SessionManager with the idle flag: GNOME's and MATE's session managers,
        // which MATE's screen saver and GNOME's shell follow.
        SessionManager,
        // The engines' own names, with Inhibit of the freedesktop shape.
        MateScreenSaver,
        XfceScreenSaver,
    };

    DBusIdleInhibitor(QDBusConnection bus, Service service, QString applicationName);
    ~DBusIdleInhibitor() override;

    void hold(const QList<QWindow*>& windows) override;
    bool inhibited() const override { return cookie_.has_value(); }

private:
    void inhibit();
    void release();
    void ownerChanged(const QString& newOwner);

    QDBusConnection bus_;
    Service service_;
    QString applicationName_;
    QDBusServiceWatcher owner_;
    // Somebody owns the service's name.
    bool owned_ = false;
    bool wanted_ = false;
    // The X window named to the session manager.
    std::uint32_t windowId_ = 0;
    std::optional<std::uint32_t> cookie_;
};

} // namespace lumera
