#pragma once

#include "platform/desktop/CommandRunner.h"
#include "saver/install/InstallReport.h"

namespace lumera::saver {

// The saver's theme as mate-screensaver and xfce4-screensaver name the desktop entry
// applications/screensavers/lumera-saver.desktop.
inline const QString kSaverTheme = QStringLiteral("screensavers-lumera-saver");

// mate-screensaver: one theme, ours, through gsettings.
InstallReport chooseInMate(CommandRunner& commands);
// xfce4-screensaver: one theme, ours, through xfconf-query (mode 2 is "one theme").
InstallReport chooseInXfce(CommandRunner& commands);

} // namespace lumera::saver
