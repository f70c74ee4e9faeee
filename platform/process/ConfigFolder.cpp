#include "platform/process/ConfigFolder.h"

#include "platform/process/Processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// The value of a variable in an environment block as /proc/<pid>/environ holds it.
QByteArray environmentValue(const QByteArray& block, const QByteArray& name) {
    const QByteArray prefix = name + '=';
    for (const QByteArray& entry : block.split('\0')) {
        if (entry.startsWith(prefix))
            return entry.mid(prefix.size());
    }
    return {};
}

// The environments of the programs above this one that belong to the same user, nearest first.
QList<QByteArray> ancestorEnvironments() {
    QList<QByteArray> environments;
    pid_t pid = getppid();
    for (int depth = 0; pid > 1 && depth < 64; ++depth) {
        const std::optional<ProcessInfo> info = processInfo(pid);
        if (!info || info->user != getuid())
            break;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (environ.open(QIODevice::ReadOnly))
            environments << environ.readAll();
        pid = info->parent;
    }
    return environments;
}

// The runtime folder that the log-in makes: the user's own, and nobody else's to enter.
QString loginRuntimeFolder() {
    const QString folder = QStringLiteral("/run/user/%1").arg(getuid());
    struct stat info = {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != getuid() || (info.st_mode & 0077) != 0)
        return {};
    return folder;
}

} // namespace

void adoptSessionFolders() {
    static const char* const kFolders[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                           "XDG_RUNTIME_DIR"};
    QList<QByteArray> environments;
    bool read = false;
    for (const char* name : kFolders) {
        if (!qEnvironmentVariableIsEmpty(name))
            continue;
        if (!read) {
            environments = ancestorEnvironments();
            read = true;
        }
        for (const QByteArray& environment : environments) {
            const QByteArray value = environmentValue(environment, name);
            if (!value.isEmpty()) {
                qputenv(name, value);
                break;
            }
        }
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        if (const QString folder = loginRuntimeFolder(); !folder.isEmpty())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    }
}

} // namespace lumera
