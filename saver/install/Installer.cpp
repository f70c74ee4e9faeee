#include "saver/install/Installer.h"

#include "saver/install/EngineSettingsRoute.h"
#include "saver/install/IdleRoute.h"
#include "saver/install/SaverEngine.h"
#include "saver/install/XscreensaverRoute.h"

#include <QFileInfo>

namespace lumera::saver {

namespace {

QString prefsFile(const InstallTarget& target) {
    return target.homeFolder + QStringLiteral("/.xscreensaver");
}

} // namespace

InstallReport installSaver(const InstallTarget& target) {
    const ThemeEngine theme{target.commands, target.engineFolders,
                            QFileInfo(target.saverProgram).fileName(), target.recordFolder};
    switch (detectSaverEngine(target.probe)) {
    case SaverEngine::Mate:
        return chooseInMate(theme);
    case SaverEngine::Xfce:
        return chooseInXfce(theme);
    case SaverEngine::Xscreensaver:
        return chooseInXscreensaver(prefsFile(target), target.saverProgram, target.recordFolder);
    case SaverEngine::None:
        break;
    }
    return startIdleStarter(target.commands, target.autostartFolder, target.saverProgram);
}

InstallReport uninstallSaver(const InstallTarget& target) {
    QStringList done;
    QStringList failed;
    const auto add = [&](const InstallReport& report) {
        if (!report.message.isEmpty())
            (report.done ? done : failed).append(report.message);
    };
    add(restoreInXscreensaver(prefsFile(target), QFileInfo(target.saverProgram).fileName(),
                              target.recordFolder));
    add(restoreInMate(target.commands, target.recordFolder));
    add(restoreInXfce(target.commands, target.recordFolder));
    add(removeIdleStarter(target.autostartFolder));
    if (done.isEmpty() && failed.isEmpty())
        done.append(QStringLiteral("Lumera屏保 未被设为屏幕保护程序，无需恢复。"));
    return {failed.isEmpty(), (failed + done).join('\n')};
}

} // namespace lumera::saver
