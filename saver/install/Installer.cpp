#include "saver/install/Installer.h"

#include "saver/install/EngineSettingsRoute.h"
#include "saver/install/IdleRoute.h"
#include "saver/install/SaverEngine.h"
#include "saver/install/XscreensaverRoute.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumera::saver {

namespace {

// Marks in the record folder that an engine's settings were changed.
const QString kMateMark = QStringLiteral("/mate-screensaver");
const QString kXfceMark = QStringLiteral("/xfce4-screensaver");

InstallReport marked(const InstallReport& report, const QString& recordFolder,
                     const QString& mark) {
    if (report.done && QDir().mkpath(recordFolder)) {
        QFile file(recordFolder + mark);
        file.open(QIODevice::WriteOnly);
    }
    return report;
}

QString prefsFile(const InstallTarget& target) {
    return target.homeFolder + QStringLiteral("/.xscreensaver");
}

} // namespace

InstallReport installSaver(const InstallTarget& target) {
    const ThemeEngine theme{target.commands, target.engineFolders,
                            QFileInfo(target.saverProgram).fileName()};
    switch (detectSaverEngine(target.probe)) {
    case SaverEngine::Mate:
        return marked(chooseInMate(theme), target.recordFolder, kMateMark);
    case SaverEngine::Xfce:
        return marked(chooseInXfce(theme), target.recordFolder, kXfceMark);
    case SaverEngine::Xscreensaver:
        return chooseInXscreensaver(prefsFile(target), target.saverProgram, target.recordFolder);
    case SaverEngine::None:
        break;
    }
    return startIdleStarter(target.commands, target.autostartFolder, target.saverProgram);
}

InstallReport uninstallSaver(const InstallTarget& target) {
    QStringList done;
    QStringList failed;
    const auto add = [&](const InstallReport& report) {
        if (!report.message.isEmpty())
            (report.done ? done : failed).append(report.message);
    };
    add(restoreInXscreensaver(prefsFile(target), QFileInfo(target.saverProgram).fileName(),
                              target.recordFolder));
    if (QFile::exists(target.recordFolder + kMateMark)) {
        add(resetInMate(target.commands));
        QFile::remove(target.recordFolder + kMateMark);
    }
    if (QFile::exists(target.recordFolder + kXfceMark)) {
        add(resetInXfce(target.commands));
        QFile::remove(target.recordFolder + kXfceMark);
    }
    add(removeIdleStarter(target.autostartFolder));
    if (done.isEmpty() && failed.isEmpty())
        done.append(QStringLiteral("Lumera屏保 未被设为屏幕保护程序，无需恢复。"));
    return {failed.isEmpty(), (failed + done).join('\n')};
}

} // namespace lumera::saver
