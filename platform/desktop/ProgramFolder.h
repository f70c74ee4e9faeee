#pragma once

#include <QString>

namespace lumera {

// The folder of the running program file, without a trailing slash (the root folder is "/").
QString programFolder();

// Where a program keeps the data files it rewrites: its own folder while that is writable,
// else $XDG_DATA_HOME/Lumera (an installed, read-only program folder). The folder is created.
QString writableDataFolder(const QString& programFolder);

// Program folder + "/" + name, from the programs' "\name" form: a leading backslash is
// dropped and inner backslashes become slashes ("\sys\dong.swf" gives "<folder>/sys/dong.swf").
QString programFile(const QString& folder, const QString& windowsName);

} // namespace lumera
