#pragma once

#include <QString>

namespace lumera::saver {

// The command the engines should start the saver with: for an installed saver
// (<prefix>/lib/lumera/Lumera屏保) its launcher <prefix>/bin/Lumera屏保, the name that stays
// when an update moves the program folder; otherwise the program file itself.
QString saverLauncher(const QString& programFile);

} // namespace lumera::saver
