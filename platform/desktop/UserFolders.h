#pragma once

#include <QString>

namespace lumera {

// The user's pictures folder as the desktop names it ($XDG_CONFIG_HOME/user-dirs.dirs, the
// file xdg-user-dir reads; "~/图片" on a Chinese desktop), else ~/Pictures. A desktop that
// sets it to the home folder itself has none of its own: that gives ~/Pictures too.
QString picturesFolder();

} // namespace lumera
