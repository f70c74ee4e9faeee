#pragma once

#include <QString>
#include <functional>

namespace lumera {

// The folder of the running program file, without a trailing slash (the root folder is "/").
QString programFolder();

// Whether the folder belongs to the effective user.
bool ownedByUser(const QString& folder);
// Whether the effective user may write into the folder (root may write anywhere).
bool writableByUser(const QString& folder);

// Where a program keeps the data files it rewrites: its own folder while that belongs to the
// user and is writable, else $XDG_DATA_HOME/Lumera. So an installed, read-only program folder
// and one that several users may write into (whose copies would overwrite each other's
// history and favourites) both leave the data in the user's own folder, which is created.
// Tests hand in the two checks: root passes every permission test.
QString writableDataFolder(const QString& programFolder,
                           const std::function<bool(const QString&)>& isOwned = ownedByUser,
                           const std::function<bool(const QString&)>& isWritable = writableByUser);

// The command that starts a program file: for an installed program
// (<prefix>/lib/lumera/<name>) its launcher <prefix>/bin/<name>, the name that stays when an
// update moves the program folder and that is gone once the package is; otherwise the
// program file itself.
QString launcherOf(const QString& programFile);

// Program folder + "/" + name, from the programs' "\name" form: a leading backslash is
// dropped and inner backslashes become slashes ("\sys\dong.swf" gives "<folder>/sys/dong.swf").
QString programFile(const QString& folder, const QString& windowsName);

} // namespace lumera
