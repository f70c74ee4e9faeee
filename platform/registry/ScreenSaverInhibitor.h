#pragma once

namespace lumera {

// Holds the desktop's screen saver off while a main window is loaded.
class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // Both are idempotent: a second inhibit keeps the one inhibition, a release without one
    // does nothing.
    virtual void inhibit() = 0;
    virtual void release() = 0;
    virtual bool inhibited() const = 0;
};

} // namespace lumera
