#include "platform/settings/ConfigFolder.h"

#include <QDir>
#include <QFile>
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
    // $XDG_RUNTIME_DIR, or without one a folder of the user's own in the temporary folder:
    // either only when it belongs to the user and nobody else may enter it.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!folder.isEmpty())
        return folder;
    // Another user holds that folder in the shared temporary folder. Never the shared folder
    // itself: a lock there is everybody's.
    const QString own = xdgFolder("XDG_CACHE_HOME", ".cache") + "/Lumera/runtime";
    QDir().mkpath(own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return own;
}

} // namespace lumera
