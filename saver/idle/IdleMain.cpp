#include "saver/idle/IdleMain.h"

#include "platform/desktop/GnomeIdleSource.h"
#include "platform/desktop/GnomeSessionInhibition.h"
#include "platform/desktop/LinuxSaverEngineProbe.h"
#include "platform/desktop/PolledIdleSource.h"
#include "platform/desktop/QtProgramRunner.h"
#include "platform/desktop/ScreenSaverService.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/WaylandIdleSource.h"
#include "platform/desktop/X11IdleTime.h"
#include "platform/settings/SettingsStore.h"
#include "saver/idle/IdleSetting.h"
#include "saver/idle/IdleStarter.h"
#include "saver/install/SaverEngine.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QLockFile>
#include <cstdio>
#include <memory>

namespace lumera::saver {

namespace {

// GNOME's own monitor where it runs, then the compositor's protocol on Wayland, else the X
// server's count.
std::unique_ptr<IdleSource> desktopIdleSource(const QDBusConnection& bus,
                                              std::unique_ptr<X11IdleTime>& x11) {
    if (GnomeIdleSource::available(bus))
        return std::make_unique<GnomeIdleSource>(bus);
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::make_unique<WaylandIdleSource>();
    x11 = std::make_unique<X11IdleTime>();
    return std::make_unique<PolledIdleSource>([time = x11.get()] { return time->sinceInput(); });
}

} // namespace

int idleMain(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumera屏保"));

    // One idle starter a session: named for the display, so that a second graphical session of
    // the same user runs one of its own.
    QLockFile lock(SingleInstance::lockPath(QStringLiteral("Lumera-idle")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        std::fputs("空闲启动已在运行。\n", stderr);
        return 1;
    }

    // Where the desktop runs a screen-saver engine, that engine starts the saver: a starter
    // from an autostart entry made on another desktop of the same user stays out of its way.
    LinuxSaverEngineProbe engines;
    if (detectSaverEngine(engines) != SaverEngine::None)
        return 0;

    SettingsStore settings;
    const std::chrono::milliseconds idleTime = idleTimeSetting(settings);
    QDBusConnection bus = QDBusConnection::sessionBus();
    std::unique_ptr<X11IdleTime> x11;
    std::unique_ptr<IdleSource> source = desktopIdleSource(bus, x11);
    QtProgramRunner runner;
    // Programs ask whoever serves org.freedesktop.ScreenSaver to keep the saver away: where
    // nobody does, that is us. Where the desktop serves it, GNOME's session manager tells.
    ScreenSaverService service(bus, [&runner] { return runner.running(); });
    service.serve();
    GnomeSessionInhibition session(bus);
    IdleStarter starter(*source, runner, {&service, &session},
                        QCoreApplication::applicationFilePath(), idleTime);
    QObject::connect(&service, &ScreenSaverService::released, &starter, &IdleStarter::retryNow);
    QObject::connect(&service, &ScreenSaverService::userActivity, &starter,
                     &IdleStarter::userActive);
    QObject::connect(source.get(), &IdleSource::lost, &app, [] { QCoreApplication::exit(0); });
    if (!source->watch(idleTime)) {
        std::fputs("空闲启动：桌面不告诉空闲时间。\n", stderr);
        return 1;
    }
    return app.exec();
}

} // namespace lumera::saver
