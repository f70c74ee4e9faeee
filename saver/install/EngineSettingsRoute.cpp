#include "saver/install/EngineSettingsRoute.h"

#include <QFileInfo>
#include <algorithm>

namespace lumera::saver {

namespace {

InstallReport ranAll(const ThemeEngine& theme, const QString& program,
                     const QList<QStringList>& calls, const QString& engine) {
    const auto holdsProgram = [&](const QString& folder) {
        return QFileInfo(folder + '/' + theme.programName).isExecutable();
    };
    if (std::none_of(theme.engineFolders.begin(), theme.engineFolders.end(), holdsProgram)) {
        return {false, QStringLiteral("%1只运行 %2 中的屏保程序，而那里没有 %3，未作改动。"
                                      "请安装 lumera 软件包（或以 /usr 为前缀安装）后再试。")
                           .arg(engine, theme.engineFolders.join(QStringLiteral("、")),
                                theme.programName)};
    }
    for (const QStringList& arguments : calls) {
        if (!theme.commands.run(program, arguments)) {
            return {false, QStringLiteral("无法更改 %1的设置（%2 %3 失败）。")
                               .arg(engine, program, arguments.join(' '))};
        }
    }
    return {true, QStringLiteral("已在 %1中把 Lumera屏保 设为唯一的屏幕保护程序。").arg(engine)};
}

} // namespace

InstallReport chooseInMate(const ThemeEngine& engine) {
    const QString schema = QStringLiteral("org.mate.screensaver");
    return ranAll(engine, QStringLiteral("gsettings"),
                  {{"set", schema, "mode", "single"},
                   {"set", schema, "themes", QStringLiteral("['%1']").arg(kSaverTheme)}},
                  QStringLiteral("mate-screensaver（MATE 屏幕保护程序）"));
}

InstallReport chooseInXfce(const ThemeEngine& engine) {
    const QStringList channel{"--channel", "xfce4-screensaver", "--create"};
    return ranAll(
        engine, QStringLiteral("xfconf-query"),
        {channel + QStringList{"--property", "/saver/mode", "--type", "int", "--set", "2"},
         channel + QStringList{"--property", "/saver/themes/list", "--force-array", "--type",
                               "string", "--set", kSaverTheme}},
        QStringLiteral("xfce4-screensaver（Xfce 屏幕保护程序）"));
}

} // namespace lumera::saver
