#include "saver/install/EngineSettingsRoute.h"

#include <QFileInfo>
#include <algorithm>

namespace lumera::saver {

namespace {

const QString kMate = QStringLiteral("mate-screensaver（MATE 屏幕保护程序）");
const QString kXfce = QStringLiteral("xfce4-screensaver（Xfce 屏幕保护程序）");
const QString kMateSchema = QStringLiteral("org.mate.screensaver");
const QStringList kXfceChannel{"--channel", "xfce4-screensaver"};

// Runs each call in turn; the first that fails ends the run. Empty when all ran.
QString failedCall(CommandRunner& commands, const QString& program, const QList<QStringList>& calls,
                   const QString& engine) {
    for (const QStringList& arguments : calls) {
        if (!commands.run(program, arguments)) {
            return QStringLiteral("无法更改 %1的设置（%2 %3 失败）。")
                .arg(engine, program, arguments.join(' '));
        }
    }
    return {};
}

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
    if (const QString failed = failedCall(theme.commands, program, calls, engine);
        !failed.isEmpty())
        return {false, failed};
    return {true, QStringLiteral("已在 %1中把 Lumera屏保 设为唯一的屏幕保护程序。").arg(engine)};
}

InstallReport resetAll(CommandRunner& commands, const QString& program,
                       const QList<QStringList>& calls, const QString& engine) {
    if (const QString failed = failedCall(commands, program, calls, engine); !failed.isEmpty())
        return {false, failed};
    return {true, QStringLiteral("已把 %1的屏保选择恢复为默认。").arg(engine)};
}

} // namespace

InstallReport chooseInMate(const ThemeEngine& engine) {
    return ranAll(engine, QStringLiteral("gsettings"),
                  {{"set", kMateSchema, "mode", "single"},
                   {"set", kMateSchema, "themes", QStringLiteral("['%1']").arg(kSaverTheme)}},
                  kMate);
}

InstallReport chooseInXfce(const ThemeEngine& engine) {
    const QStringList channel = kXfceChannel + QStringList{"--create"};
    return ranAll(
        engine, QStringLiteral("xfconf-query"),
        {channel + QStringList{"--property", "/saver/mode", "--type", "int", "--set", "2"},
         channel + QStringList{"--property", "/saver/themes/list", "--force-array", "--type",
                               "string", "--set", kSaverTheme}},
        kXfce);
}

InstallReport resetInMate(CommandRunner& commands) {
    return resetAll(commands, QStringLiteral("gsettings"),
                    {{"reset", kMateSchema, "themes"}, {"reset", kMateSchema, "mode"}}, kMate);
}

InstallReport resetInXfce(CommandRunner& commands) {
    return resetAll(commands, QStringLiteral("xfconf-query"),
                    {kXfceChannel + QStringList{"--property", "/saver/themes/list", "--reset"},
                     kXfceChannel + QStringList{"--property", "/saver/mode", "--reset"}},
                    kXfce);
}

} // namespace lumera::saver
