#pragma once

#include "saver/engine/EngineLaunch.h"

#include <QString>
#include <functional>

namespace lumera {
class Pointer;
class SettingsStore;
class WebBrowserFactory;
} // namespace lumera

namespace lumera::saver {

class MoviePlayerFactory;

// What the saver's window is given by main(): the real machine there, fakes in tests.
struct SaverContext {
    SettingsStore& settings;
    WebBrowserFactory& browsers;
    Pointer& pointer;
    // The folder of the program file: the content folders and the page are read from there.
    QString programFolder;
    // Where the saver writes its working files ("sys/", "temp/"): the program folder while it
    // is writable.
    QString dataFolder;
    // How this run was started: the mode, the engine's window if any, preview or full screen.
    EngineLaunch launch;
    // The lock file that keeps a second full-screen copy from running on the same screen; empty
    // for a preview, which takes no lock.
    QString instanceLockPath;
    // Ends the process; called last by the exit sequence.
    std::function<void()> endProcess;
    // Makes the movie player of the movie modes; without one they show the black window.
    MoviePlayerFactory* moviePlayers = nullptr;
    // Where the full-screen copies that run at one time share their mode; empty: alone.
    QString activationPath;
};

} // namespace lumera::saver
