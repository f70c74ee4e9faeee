#pragma once

#include <QString>

namespace lumera::saver {

// What `--install` did, in words for the user; `done` is false when nothing could be done.
struct InstallReport {
    bool done = false;
    QString message;
};

} // namespace lumera::saver
