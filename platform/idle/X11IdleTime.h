#pragma once

#include <chrono>
#include <optional>

struct xcb_connection_t;

namespace lumera {

// The X server's time since the last user input, from its MIT-SCREEN-SAVER extension, over a
// connection of our own to $DISPLAY.
class X11IdleTime {
public:
    X11IdleTime();
    ~X11IdleTime();
    X11IdleTime(const X11IdleTime&) = delete;
    X11IdleTime& operator=(const X11IdleTime&) = delete;

    // None without a display or the extension.
    std::optional<std::chrono::milliseconds> sinceInput() const;

private:
    xcb_connection_t* connection_ = nullptr;
    unsigned root_ = 0;
};

} // namespace lumera
