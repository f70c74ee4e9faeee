#pragma once

#include <QString>

namespace lumera::saver {

// The settings application of the screen saver.
inline const QString kSaverApp = QStringLiteral("Korvidesk");
// Where it keeps the picture folder of the photo fade.
inline const QString kPictureSection = QStringLiteral("MyDeskTop");
inline const QString kPictureKey = QStringLiteral("DownloadPath");

} // namespace lumera::saver
