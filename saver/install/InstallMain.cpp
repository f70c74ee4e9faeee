#include "saver/install/InstallMain.h"

#include "platform/desktop/DBusNotifier.h"
#include "platform/desktop/LinuxSaverEngineProbe.h"
#include "platform/desktop/ProcessRunner.h"
#include "platform/settings/ConfigFolder.h"
#include "saver/install/Installer.h"
#include "saver/install/SaverLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace lumera::saver {

int installMain(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumera屏保"));
    LinuxSaverEngineProbe probe;
    ProcessRunner commands;
    const InstallReport report = installSaver({
        probe,
        commands,
        QDir::homePath(),
        xdgConfigHome() + QStringLiteral("/autostart"),
        saverLauncher(QCoreApplication::applicationFilePath()),
        {QStringLiteral("/usr/libexec/xscreensaver"), QStringLiteral("/usr/lib/xscreensaver")},
    });
    std::FILE* out = report.done ? stdout : stderr;
    std::fputs(report.message.toUtf8().constData(), out);
    std::fputc('\n', out);
    std::fflush(out);
    DBusNotifier(QStringLiteral("Lumera屏保"))
        .notify(report.done ? QStringLiteral("已设为屏幕保护程序")
                            : QStringLiteral("未能设为屏幕保护程序"),
                report.message);
    return report.done ? 0 : 1;
}

} // namespace lumera::saver
