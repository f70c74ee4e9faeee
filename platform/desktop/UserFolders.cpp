#include "platform/desktop/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace lumera {

QString picturesFolder() {
    const QString home = QDir::homePath();
    const QString named = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (named.isEmpty() || QDir::cleanPath(named) == QDir::cleanPath(home))
        return home + QStringLiteral("/Pictures");
    return QDir::cleanPath(named);
}

} // namespace lumera
