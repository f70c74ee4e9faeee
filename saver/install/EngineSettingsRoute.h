#pragma once

#include "platform/desktop/CommandRunner.h"
#include "saver/install/InstallReport.h"

namespace lumera::saver {

// The saver's theme as mate-screensaver and xfce4-screensaver name the desktop entry
// applications/screensavers/lumera-saver.desktop.
inline const QString kSaverTheme = QStringLiteral("screensavers-lumera-saver");

// Both engines run a theme's program only from their engine folders (libexec/xscreensaver
// of the system): `engineFolders` are searched for `programName` before anything is changed.
struct ThemeEngine {
    CommandRunner& commands;
    QStringList engineFolders;
    QString programName;
};

// mate-screensaver: one theme, ours, through gsettings.
InstallReport chooseInMate(const ThemeEngine& engine);
// xfce4-screensaver: one theme, ours, through xfconf-query (mode 2 is "one theme").
InstallReport chooseInXfce(const ThemeEngine& engine);

// The two engines' theme settings back to their defaults.
InstallReport resetInMate(CommandRunner& commands);
InstallReport resetInXfce(CommandRunner& commands);

} // namespace lumera::saver
