#pragma once

#include "platform/process/CommandRunner.h"
#include "saver/install/InstallReport.h"

namespace lumera::saver {

// The saver's theme as mate-screensaver and xfce4-screensaver name the desktop entry
// applications/screensavers/lumera-saver.desktop.
inline const QString kSaverTheme = QStringLiteral("screensavers-lumera-saver");

// Both engines run a theme's program only from their engine folders (libexec/xscreensaver
// of the system): `engineFolders` are searched for `programName` before anything is changed.
// The first time an engine's settings are changed, their values before are kept in
// `recordFolder`, for the uninstall.
struct ThemeEngine {
    CommandRunner& commands;
    QStringList engineFolders;
    QString programName;
    QString recordFolder;
};

// mate-screensaver: one theme, ours, through gsettings.
InstallReport chooseInMate(const ThemeEngine& engine);
// xfce4-screensaver: one theme, ours, through xfconf-query (mode 2 is "one theme").
InstallReport chooseInXfce(const ThemeEngine& engine);

// The engine's mode and themes as they were before the first choice (a value that was not
// set is reset); nothing where the saver was never chosen there.
InstallReport restoreInMate(CommandRunner& commands, const QString& recordFolder);
InstallReport restoreInXfce(CommandRunner& commands, const QString& recordFolder);

} // namespace lumera::saver
