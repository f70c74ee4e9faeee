#pragma once

#include <QString>
#include <functional>

namespace lumera {

// The folder of the running program file, without a trailing slash (the root folder is "/").
QString programFolder();

// Where a program keeps the data files it rewrites: its own folder while that is writable,
// else $XDG_DATA_HOME/Lumera (an installed, read-only program folder). The folder is created.
QString writableDataFolder(const QString& programFolder);
// The same choice with the writability test given (the kernel's answer by default; root
// passes every permission test, so tests hand in their own).
QString writableDataFolder(const QString& programFolder,
                           const std::function<bool(const QString&)>& isWritable);

// Program folder + "/" + name, from the programs' "\name" form: a leading backslash is
// dropped and inner backslashes become slashes ("\sys\dong.swf" gives "<folder>/sys/dong.swf").
QString programFile(const QString& folder, const QString& windowsName);

} // namespace lumera
