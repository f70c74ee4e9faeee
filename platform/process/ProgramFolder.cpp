#include "platform/process/ProgramFolder.h"

#include "platform/process/ConfigFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace lumera {

QString programFolder() {
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty()) {
        // Before the application object exists: ask the kernel.
        folder = QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
    }
    folder = QDir::cleanPath(folder);
    return folder;
}

bool ownedByUser(const QString& folder) {
    struct stat status = {};
    return ::stat(QFile::encodeName(folder).constData(), &status) == 0 &&
           status.st_uid == ::geteuid();
}

bool writableByUser(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

QString writableDataFolder(const QString& programFolder,
                           const std::function<bool(const QString&)>& isOwned,
                           const std::function<bool(const QString&)>& isWritable) {
    if (QFileInfo(programFolder).isDir() && isOwned(programFolder) && isWritable(programFolder))
        return programFolder;
    const QString fallback = dataFolder();
    QDir().mkpath(fallback);
    return fallback;
}

QString programFile(const QString& folder, const QString& windowsName) {
    QString name = windowsName;
    name.replace('\\', '/');
    while (name.startsWith('/'))
        name.remove(0, 1);
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

QString launcherOf(const QString& programFile) {
    const QFileInfo program(programFile);
    const QString folder = QDir::cleanPath(program.absolutePath());
    if (folder.endsWith(QStringLiteral("/lib/lumera"))) {
        const QString launcher =
            QDir::cleanPath(folder + QStringLiteral("/../../bin/") + program.fileName());
        if (QFileInfo(launcher).isFile() && QFileInfo(launcher).isExecutable())
            return launcher;
    }
    return program.absoluteFilePath();
}

} // namespace lumera
