#include "saver/idle/EngineArrival.h"

#include "saver/install/SaverEngine.h"

#include <utility>

namespace lumera::saver {

EngineArrival::EngineArrival(SaverEngineProbe& probe, std::function<void()> arrived)
    : probe_(probe), arrived_(std::move(arrived)) {}

bool EngineArrival::inhibited() {
    if (detectSaverEngine(probe_) == SaverEngine::None)
        return false;
    arrived_();
    return true;
}

} // namespace lumera::saver
