#pragma once

#include "platform/idle/IdleSource.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace lumera {

// An IdleSource told by GNOME's compositor through org.gnome.Mutter.IdleMonitor on the
// session bus: an idle watch for the idle time, and after each time it fires a one-shot watch
// for the user's return. A shell that starts again forgets the watches: they are set up anew
// with it.
class GnomeIdleSource : public IdleSource {
    Q_OBJECT
public:
    explicit GnomeIdleSource(QDBusConnection bus, QObject* parent = nullptr);

    // True when the bus has the service; watch() needs it.
    static bool available(const QDBusConnection& bus);

    bool watch(std::chrono::milliseconds idleTime) override;

private slots:
    void watchFired(uint id);

private:
    uint addWatch(const QString& method, const QVariantList& arguments);
    bool addIdleWatch();
    void shellStarted();

    QDBusConnection bus_;
    QDBusServiceWatcher shell_;
    std::chrono::milliseconds idleTime_{0};
    uint idleWatch_ = 0;
    uint activeWatch_ = 0;
};

} // namespace lumera
