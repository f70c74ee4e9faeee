#include "saver/install/SaverLauncher.h"

#include <QDir>
#include <QFileInfo>

namespace lumera::saver {

QString saverLauncher(const QString& programFile) {
    const QFileInfo program(programFile);
    const QString folder = QDir::cleanPath(program.absolutePath());
    if (folder.endsWith(QStringLiteral("/lib/lumera"))) {
        const QFileInfo launcher(folder + QStringLiteral("/../../bin/") + program.fileName());
        if (launcher.isFile() && launcher.isExecutable())
            return QDir::cleanPath(launcher.absoluteFilePath());
    }
    return program.absoluteFilePath();
}

} // namespace lumera::saver
