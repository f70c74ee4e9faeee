#include "saver/install/InstallMain.h"

#include "platform/desktop/DBusNotifier.h"
#include "platform/desktop/UserFolders.h"
#include "platform/idle/LinuxSaverEngineProbe.h"
#include "platform/process/ConfigFolder.h"
#include "platform/process/ProcessRunner.h"
#include "platform/process/ProgramFolder.h"
#include "platform/settings/SettingsStore.h"
#include "saver/install/Installer.h"
#include "saver/install/PictureFolderSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace lumera::saver {

int installMain(int argc, char* argv[], bool uninstall) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumera屏保"));
    LinuxSaverEngineProbe probe;
    ProcessRunner commands;
    const InstallTarget target{
        probe,
        commands,
        QDir::homePath(),
        xdgConfigHome() + QStringLiteral("/autostart"),
        launcherOf(QCoreApplication::applicationFilePath()),
        {QStringLiteral("/usr/libexec/xscreensaver"), QStringLiteral("/usr/lib/xscreensaver")},
        configFolder() + QStringLiteral("/installed"),
    };
    InstallReport report;
    if (uninstall) {
        report = uninstallSaver(target);
    } else {
        // The engine starts the saver from now on: its picture folder is stored before that.
        SettingsStore settings;
        storeDefaultPictureFolder(settings, picturesFolder());
        report = installSaver(target);
    }
    std::FILE* out = report.done ? stdout : stderr;
    std::fputs(report.message.toUtf8().constData(), out);
    std::fputc('\n', out);
    std::fflush(out);
    const QString title = uninstall ? (report.done ? QStringLiteral("已取消屏幕保护程序设置")
                                                   : QStringLiteral("未能完全取消屏幕保护程序设置"))
                                    : (report.done ? QStringLiteral("已设为屏幕保护程序")
                                                   : QStringLiteral("未能设为屏幕保护程序"));
    DBusNotifier(QStringLiteral("Lumera屏保")).notify(title, report.message);
    return report.done ? 0 : 1;
}

} // namespace lumera::saver
