#include "saver/install/EngineSettingsRoute.h"

#include "platform/text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <optional>

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

// One setting of an engine: the arguments of its tool that print it, that reset it, and
// that put a value back; its value before the first change is kept in the record folder
// under `file`, one line an item.
struct EngineKey {
    QString file;
    QStringList get;
    QStringList reset;
    std::function<QStringList(const QStringList& value)> set;
};

struct EngineSettings {
    QString program; // the engine's settings tool
    QString name;    // as the user knows the engine
    QString mark;    // in the record folder while the saver is chosen there
    QList<EngineKey> keys;
};

const EngineSettings& mateSettings() {
    static const EngineSettings settings = [] {
        EngineSettings mate{"gsettings", kMate, "mate-screensaver", {}};
        for (const QString& key : {QStringLiteral("mode"), QStringLiteral("themes")}) {
            mate.keys.append({"mate-screensaver." + key,
                              {"get", kMateSchema, key},
                              {"reset", kMateSchema, key},
                              [key](const QStringList& value) {
                                  return QStringList{"set", kMateSchema, key, value.value(0)};
                              }});
        }
        return mate;
    }();
    return settings;
}

const EngineSettings& xfceSettings() {
    static const EngineSettings settings = [] {
        const auto property = [](const QString& name) {
            return kXfceChannel + QStringList{"--property", name};
        };
        EngineSettings xfce{"xfconf-query", kXfce, "xfce4-screensaver", {}};
        xfce.keys.append({"xfce4-screensaver.mode", property("/saver/mode"),
                          property("/saver/mode") + QStringList{"--reset"},
                          [property](const QStringList& value) {
                              return property("/saver/mode") + QStringList{"--create", "--type",
                                                                           "int", "--set",
                                                                           value.value(0)};
                          }});
        xfce.keys.append({"xfce4-screensaver.themes", property("/saver/themes/list"),
                          property("/saver/themes/list") + QStringList{"--reset"},
                          [property](const QStringList& value) {
                              QStringList arguments = property("/saver/themes/list") +
                                                      QStringList{"--create", "--force-array"};
                              for (const QString& theme : value)
                                  arguments += QStringList{"--type", "string", "--set", theme};
                              return arguments;
                          }});
        return xfce;
    }();
    return settings;
}

// What a settings tool printed as a value: its lines, without xfconf-query's heading of an
// array ("Value is an array with 2 items:").
QStringList valueLines(const QByteArray& printed) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(printed).split('\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1String("Value is an array")))
            lines.append(trimmed);
    }
    return lines;
}

// Keeps the settings' values the first time the saver is chosen in the engine.
bool keep(CommandRunner& commands, const EngineSettings& engine, const QString& recordFolder) {
    if (QFile::exists(recordFolder + '/' + engine.mark))
        return true;
    if (!QDir().mkpath(recordFolder))
        return false;
    for (const EngineKey& key : engine.keys) {
        const QString file = recordFolder + '/' + key.file;
        QFile::remove(file);
        // A setting the tool cannot print has no value of its own: it is reset later.
        if (const std::optional<QByteArray> printed = commands.output(engine.program, key.get)) {
            if (!writeFileAtomically(file, valueLines(*printed).join('\n').toUtf8()))
                return false;
        }
    }
    return writeFileAtomically(recordFolder + '/' + engine.mark, {});
}

InstallReport restore(CommandRunner& commands, const EngineSettings& engine,
                      const QString& recordFolder) {
    if (!QFile::exists(recordFolder + '/' + engine.mark))
        return {true, {}};
    QList<QStringList> calls;
    for (const EngineKey& key : engine.keys) {
        QFile file(recordFolder + '/' + key.file);
        const QStringList value =
            file.open(QIODevice::ReadOnly)
                ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                : QStringList();
        calls.append(value.isEmpty() ? key.reset : key.set(value));
    }
    if (const QString failed = failedCall(commands, engine.program, calls, engine.name);
        !failed.isEmpty())
        return {false, failed};
    for (const EngineKey& key : engine.keys)
        QFile::remove(recordFolder + '/' + key.file);
    QFile::remove(recordFolder + '/' + engine.mark);
    return {true, QStringLiteral("已恢复 %1原来的屏保选择。").arg(engine.name)};
}

InstallReport ranAll(const ThemeEngine& theme, const EngineSettings& settings,
                     const QList<QStringList>& calls) {
    const QString& program = settings.program;
    const QString& engine = settings.name;
    const auto holdsProgram = [&](const QString& folder) {
        return QFileInfo(folder + '/' + theme.programName).isExecutable();
    };
    if (std::none_of(theme.engineFolders.begin(), theme.engineFolders.end(), holdsProgram)) {
        return {false, QStringLiteral("%1只运行 %2 中的屏保程序，而那里没有 %3，未作改动。"
                                      "请安装 lumera 软件包（或以 /usr 为前缀安装）后再试。")
                           .arg(engine, theme.engineFolders.join(QStringLiteral("、")),
                                theme.programName)};
    }
    if (!keep(theme.commands, settings, theme.recordFolder))
        return {false, QStringLiteral("无法写入 %1，未作改动。").arg(theme.recordFolder)};
    if (const QString failed = failedCall(theme.commands, program, calls, engine);
        !failed.isEmpty())
        return {false, failed};
    return {true, QStringLiteral("已在 %1中把 Lumera屏保 设为唯一的屏幕保护程序。").arg(engine)};
}

} // namespace

InstallReport chooseInMate(const ThemeEngine& engine) {
    return ranAll(engine, mateSettings(),
                  {{"set", kMateSchema, "mode", "single"},
                   {"set", kMateSchema, "themes", QStringLiteral("['%1']").arg(kSaverTheme)}});
}

InstallReport chooseInXfce(const ThemeEngine& engine) {
    const QStringList channel = kXfceChannel + QStringList{"--create"};
    return ranAll(
        engine, xfceSettings(),
        {channel + QStringList{"--property", "/saver/mode", "--type", "int", "--set", "2"},
         channel + QStringList{"--property", "/saver/themes/list", "--force-array", "--type",
                               "string", "--set", kSaverTheme}});
}

InstallReport restoreInMate(CommandRunner& commands, const QString& recordFolder) {
    return restore(commands, mateSettings(), recordFolder);
}

InstallReport restoreInXfce(CommandRunner& commands, const QString& recordFolder) {
    return restore(commands, xfceSettings(), recordFolder);
}

} // namespace lumera::saver
