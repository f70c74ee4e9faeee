#include "saver/install/SaverEngine.h"

namespace lumera::saver {

SaverEngine detectSaverEngine(SaverEngineProbe& probe) {
    if (probe.busNameOwned(QStringLiteral("org.mate.ScreenSaver")))
        return SaverEngine::Mate;
    if (probe.busNameOwned(QStringLiteral("org.xfce.ScreenSaver")))
        return SaverEngine::Xfce;
    if (probe.xscreensaverRuns())
        return SaverEngine::Xscreensaver;
    return SaverEngine::None;
}

} // namespace lumera::saver
