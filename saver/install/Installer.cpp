#include "saver/install/Installer.h"

#include "saver/install/EngineSettingsRoute.h"
#include "saver/install/IdleRoute.h"
#include "saver/install/SaverEngine.h"
#include "saver/install/XscreensaverRoute.h"

namespace lumera::saver {

InstallReport installSaver(const InstallTarget& target) {
    switch (detectSaverEngine(target.probe)) {
    case SaverEngine::Mate:
        return chooseInMate(target.commands);
    case SaverEngine::Xfce:
        return chooseInXfce(target.commands);
    case SaverEngine::Xscreensaver:
        return chooseInXscreensaver(target.homeFolder + QStringLiteral("/.xscreensaver"),
                                    target.saverProgram);
    case SaverEngine::None:
        break;
    }
    return startIdleStarter(target.commands, target.autostartFolder, target.saverProgram);
}

} // namespace lumera::saver
