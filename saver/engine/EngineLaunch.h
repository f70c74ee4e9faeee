#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace lumera::saver {

// The number on the command line: the whole argument text read as a decimal number (blanks
// around it allowed, a fraction to the nearest integer, halves to even). Anything that is not
// a number that fits 32 bits gives 0, which means "use the rotation".
std::int32_t readModeArgument(const QString& argumentText);

// How the saver was started: by hand, or by the desktop's screen-saver engine on a window of
// its own. Every engine that runs savers (and the preview panes of their settings) names that
// window in XSCREENSAVER_WINDOW; its savers also take "-window-id ID" and "-root". main() reads
// it once and hands it to the window as it is.
struct EngineLaunch {
    // The window to draw into: "-window-id", else XSCREENSAVER_WINDOW. The engine owns the
    // screen and the input there and ends the saver: no pointer hidden, nothing grabbed or
    // raised, and no key or movement of ours ends it.
    std::optional<quint64> window;
    // What was given as the window when it names none ("-window-id junk", a variable that is
    // set but holds no window id): the saver has nowhere to go and must not run.
    std::optional<QString> unreadableWindow;
    // "-root" was given. The engines always name their window besides; without one, it is
    // the command copied from an engine's settings into a terminal, a start by hand.
    bool root = false;
    // The mode number: the arguments that are not the engine's, and the value of "--mode",
    // joined by one blank and read as one number (readModeArgument). 0: the rotation.
    std::int32_t mode = 0;
    // The engine's window is smaller than its screen: a preview, which shows what the rotation
    // gives next without moving it on, and runs beside the full-screen copies. Only the
    // window's size tells, so main() sets it once the window is open.
    bool preview = false;

    bool fromEngine() const { return window.has_value(); }
};

// The arguments after the program name, and the value of XSCREENSAVER_WINDOW (empty when it is
// not set). The engines' other flags (-visual, -fps, -window, ...) are taken and otherwise
// ignored.
EngineLaunch readEngineLaunch(const QStringList& arguments, const QString& windowVariable);

// A window id as the engines write it: decimal or 0x-hex, blanks around it allowed. Zero and
// anything else give none.
std::optional<quint64> readWindowId(const QString& text);

} // namespace lumera::saver
