#pragma once

#include <optional>
#include <sys/types.h>

namespace lumera {

// What the system tells of a running process: its parent and its real user.
struct ProcessInfo {
    pid_t parent = 0;
    uid_t user = 0;
};

// None once the process is gone (or where there is no /proc).
std::optional<ProcessInfo> processInfo(pid_t pid);

// Sends SIGTERM to every process below this one that still runs: helpers that a library
// started and that would otherwise outlive the program for a while (a web engine's, when the
// program ends while the engine is still starting). Waits up to half a second for its own
// children to end.
void endChildProcesses();

} // namespace lumera
