#pragma once

#include "platform/idle/IdleInhibition.h"

#include <functional>

namespace lumera {
class SaverEngineProbe;
}

namespace lumera::saver {

// A screen-saver engine that came up after the idle starter (both start at log-on, the engine
// a little later) takes over from it: asked before every start, an engine found keeps the
// saver back and says so, so that the starter ends and the engine alone starts savers.
class EngineArrival : public IdleInhibition {
public:
    EngineArrival(SaverEngineProbe& probe, std::function<void()> arrived);
    bool inhibited() override;

private:
    SaverEngineProbe& probe_;
    std::function<void()> arrived_;
};

} // namespace lumera::saver
