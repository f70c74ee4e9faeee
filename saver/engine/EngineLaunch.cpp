#include "saver/engine/EngineLaunch.h"

#include "platform/text/VbNumber.h"

#include <QSet>

namespace lumera::saver {

std::int32_t readModeArgument(const QString& argumentText) {
    return readVbLong(argumentText).value_or(0);
}

namespace {

// The engines' flags, with one dash or two; those in the second list take a value. "mode" is
// our own: the content as xscreensaver's settings write it ("--mode 7"), since they read only
// switches back from a command line.
const QSet<QString> kFlags = {"root", "window", "fps", "no-fps", "mono", "install", "pair"};
const QSet<QString> kFlagsWithValue = {"window-id", "visual", "mode"};

QString flagName(const QString& argument) {
    if (argument.startsWith("--"))
        return argument.mid(2);
    if (argument.startsWith('-'))
        return argument.mid(1);
    return {};
}

} // namespace

std::optional<quint64> readWindowId(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const quint64 id = trimmed.startsWith("0x", Qt::CaseInsensitive)
                           ? trimmed.mid(2).toULongLong(&ok, 16)
                           : trimmed.toULongLong(&ok, 10);
    if (!ok || id == 0)
        return std::nullopt;
    return id;
}

EngineLaunch readEngineLaunch(const QStringList& arguments, const QString& windowVariable) {
    EngineLaunch launch;
    std::optional<QString> windowArgument;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString name = flagName(argument);
        QString value;
        bool hasValue = false;
        if (const qsizetype equals = name.indexOf('='); equals > 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
            hasValue = true;
        }
        if (kFlagsWithValue.contains(name)) {
            if (!hasValue && i + 1 < arguments.size())
                value = arguments[++i];
            if (name == QLatin1String("window-id"))
                windowArgument = value;
            else if (name == QLatin1String("mode"))
                rest << value;
        } else if (kFlags.contains(name) && !hasValue) {
            launch.root = launch.root || name == QLatin1String("root");
        } else {
            rest << argument;
        }
    }
    // The engines set the variable to their window and nothing else: one that is set and
    // names no window is an engine's fault, and the saver stops rather than take the screen.
    const QString named = windowArgument ? *windowArgument : windowVariable;
    if (windowArgument || !windowVariable.isEmpty()) {
        launch.window = readWindowId(named);
        if (!launch.window)
            launch.unreadableWindow = named;
    }
    launch.mode = readModeArgument(rest.join(' '));
    return launch;
}

} // namespace lumera::saver
