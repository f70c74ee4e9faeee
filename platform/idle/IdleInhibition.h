#pragma once

namespace lumera {

// Whether a program has asked the desktop to keep the screen saver away (a film playing, a
// presentation), where the desktop lets that be asked.
class IdleInhibition {
public:
    virtual ~IdleInhibition() = default;
    virtual bool inhibited() = 0;
};

} // namespace lumera
