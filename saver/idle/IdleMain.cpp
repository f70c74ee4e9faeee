#include "saver/idle/IdleMain.h"

#include "platform/idle/GnomeSessionInhibition.h"
#include "platform/idle/IdleSources.h"
#include "platform/idle/LinuxSaverEngineProbe.h"
#include "platform/idle/ScreenSaverService.h"
#include "platform/process/ProcessRunner.h"
#include "platform/process/SingleInstance.h"
#include "platform/settings/SettingsStore.h"
#include "saver/idle/EngineArrival.h"
#include "saver/idle/IdleSetting.h"
#include "saver/idle/IdleStarter.h"
#include "saver/install/SaverEngine.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QLockFile>
#include <cstdio>
#include <memory>

namespace lumera::saver {

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
    std::unique_ptr<IdleSource> source = sessionIdleSource(bus);
    ProcessRunner runner;
    // Programs ask whoever serves org.freedesktop.ScreenSaver to keep the saver away: where
    // nobody does, that is us. Where the desktop serves it, GNOME's session manager tells.
    ScreenSaverService service(bus, [&runner] { return runner.running(); });
    service.serve();
    GnomeSessionInhibition session(bus);
    // An engine that comes up later (the log-on starts both) is asked about before each start.
    EngineArrival arrival(engines, [] { QCoreApplication::exit(0); });
    IdleStarter starter(*source, runner, {&arrival, &service, &session},
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
