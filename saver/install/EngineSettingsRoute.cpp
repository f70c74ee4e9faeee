#include "saver/install/EngineSettingsRoute.h"

namespace lumera::saver {

namespace {

InstallReport ranAll(CommandRunner& commands, const QString& program,
                     const QList<QStringList>& calls, const QString& engine) {
    for (const QStringList& arguments : calls) {
        if (!commands.run(program, arguments)) {
            return {false, QStringLiteral("无法更改 %1 的设置（%2 %3 失败）。")
                               .arg(engine, program, arguments.join(' '))};
        }
    }
    return {true, QStringLiteral("已把 Lumera屏保 设为 %1 唯一的屏幕保护程序。").arg(engine)};
}

} // namespace

InstallReport chooseInMate(CommandRunner& commands) {
    const QString schema = QStringLiteral("org.mate.screensaver");
    return ranAll(commands, QStringLiteral("gsettings"),
                  {{"set", schema, "mode", "single"},
                   {"set", schema, "themes", QStringLiteral("['%1']").arg(kSaverTheme)}},
                  QStringLiteral("MATE 屏幕保护程序（mate-screensaver）"));
}

InstallReport chooseInXfce(CommandRunner& commands) {
    const QStringList channel{"--channel", "xfce4-screensaver", "--create"};
    return ranAll(
        commands, QStringLiteral("xfconf-query"),
        {channel + QStringList{"--property", "/saver/mode", "--type", "int", "--set", "2"},
         channel + QStringList{"--property", "/saver/themes/list", "--force-array", "--type",
                               "string", "--set", kSaverTheme}},
        QStringLiteral("Xfce 屏幕保护程序（xfce4-screensaver）"));
}

} // namespace lumera::saver
