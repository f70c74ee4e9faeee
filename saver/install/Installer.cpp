#include "saver/install/Installer.h"

#include "saver/install/EngineSettingsRoute.h"
#include "saver/install/IdleRoute.h"
#include "saver/install/SaverEngine.h"
#include "saver/install/XscreensaverRoute.h"

#include <QFileInfo>

namespace lumera::saver {

InstallReport installSaver(const InstallTarget& target) {
    const ThemeEngine theme{target.commands, target.engineFolders,
                            QFileInfo(target.saverProgram).fileName()};
    switch (detectSaverEngine(target.probe)) {
    case SaverEngine::Mate:
        return chooseInMate(theme);
    case SaverEngine::Xfce:
        return chooseInXfce(theme);
    case SaverEngine::Xscreensaver:
        return chooseInXscreensaver(target.homeFolder + QStringLiteral("/.xscreensaver"),
                                    target.saverProgram);
    case SaverEngine::None:
        break;
    }
    return startIdleStarter(target.commands, target.autostartFolder, target.saverProgram);
}

} // namespace lumera::saver
