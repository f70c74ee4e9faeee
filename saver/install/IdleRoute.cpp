#include "saver/install/IdleRoute.h"

#include "platform/process/AutostartEntry.h"

namespace lumera::saver {

namespace {

AutostartEntry idleStarterEntry(const QString& autostartFolder) {
    return AutostartEntry(autostartFolder, QStringLiteral("lumera-saver-idle"),
                          QStringLiteral("Lumera屏保 空闲启动"),
                          QStringLiteral("Starts Lumera屏保 when the desktop is idle"));
}

} // namespace

InstallReport startIdleStarter(CommandRunner& commands, const QString& autostartFolder,
                               const QString& saverProgram) {
    const AutostartEntry entry = idleStarterEntry(autostartFolder);
    if (!entry.write(saverProgram, {QStringLiteral("--idle")}))
        return {false, QStringLiteral("无法写入登录启动项 %1。").arg(entry.path())};
    const bool started = commands.startDetached(saverProgram, {QStringLiteral("--idle")});
    return {true, QStringLiteral("未发现屏幕保护程序服务：已添加登录时启动的空闲启动器（%1）%2。"
                                 "桌面空闲时将启动 Lumera屏保。")
                      .arg(entry.path(), started ? QStringLiteral("，并已启动它")
                                                 : QStringLiteral("，下次登录时生效"))};
}

InstallReport removeIdleStarter(const QString& autostartFolder) {
    const AutostartEntry entry = idleStarterEntry(autostartFolder);
    if (!entry.exists())
        return {true, {}};
    entry.remove();
    if (entry.exists())
        return {false, QStringLiteral("无法删除登录启动项 %1。").arg(entry.path())};
    return {true, QStringLiteral("已删除空闲启动器的登录启动项（%1），下次登录起不再启动。")
                      .arg(entry.path())};
}

} // namespace lumera::saver
