#pragma once

#include <QString>

namespace lumera::saver {

// The settings application of the screen saver.
inline const QString kSaverApp = QStringLiteral("Korvidesk");

} // namespace lumera::saver
