#include "platform/settings/ConfigFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumera {

namespace {

QString xdgFolder(const char* variable, const QString& fallbackBelowHome) {
    const QString set = qEnvironmentVariable(variable);
    if (!set.isEmpty() && QFileInfo(set).isAbsolute())
        return QDir::cleanPath(set);
    return QDir::homePath() + '/' + fallbackBelowHome;
}

} // namespace

QString xdgConfigHome() {
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

QString configFolder() {
    return xdgConfigHome() + "/Lumera";
}

QString dataFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share") + "/Lumera";
}

QString runtimeFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

} // namespace lumera
