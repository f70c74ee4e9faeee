#pragma once

#include "platform/idle/SaverEngineProbe.h"

namespace lumera {

// SaverEngineProbe through the X server, /proc and the session bus.
class LinuxSaverEngineProbe : public SaverEngineProbe {
public:
    bool xscreensaverRuns() override;
    bool busNameOwned(const QString& name) override;
};

} // namespace lumera
