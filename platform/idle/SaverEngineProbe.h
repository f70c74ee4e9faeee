#pragma once

#include <QString>

namespace lumera {

// Asks the desktop which screen-saver engine runs in it.
class SaverEngineProbe {
public:
    virtual ~SaverEngineProbe() = default;
    // xscreensaver marks the root window with _SCREENSAVER_VERSION, or its process runs for
    // this user.
    virtual bool xscreensaverRuns() = 0;
    // A program owns this name on the session bus.
    virtual bool busNameOwned(const QString& name) = 0;
};

} // namespace lumera
