#include "platform/process/AutostartEntry.h"

#include "platform/process/ProgramFolder.h"
#include "platform/text/TextFile.h"

#include <QDir>
#include <QFile>

namespace lumera {

QString desktopExecArgument(const QString& argument) {
    // Inside double quotes, '"', '`', '$' and '\' take a backslash; '%' is a field code
    // unless doubled. Then the whole value is a string, where '\' itself is written "\\".
    QString quoted;
    quoted.reserve(argument.size() + 8);
    quoted += '"';
    for (const QChar c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%') {
            quoted += "%%";
            continue;
        }
        quoted += c;
    }
    quoted += '"';
    return desktopStringValue(quoted);
}

QString desktopStringValue(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

AutostartEntry::AutostartEntry(QString autostartFolder, QString name, QString title,
                               QString comment)
    : folder_(std::move(autostartFolder)), name_(std::move(name)), title_(std::move(title)),
      comment_(std::move(comment)) {}

QString AutostartEntry::path() const {
    return folder_ + '/' + name_ + ".desktop";
}

bool AutostartEntry::write(const QString& programPath, const QStringList& arguments) const {
    if (!QDir().mkpath(folder_))
        return false;
    // TryExec: once the program is gone (its package removed), desktops pass the entry over.
    const QString program = launcherOf(programPath);
    QString exec = desktopExecArgument(program);
    for (const QString& argument : arguments)
        exec += ' ' + desktopExecArgument(argument);
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Comment=%2\n"
                                        "TryExec=%3\n"
                                        "Exec=%4\n"
                                        "Icon=lumera-korvid\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(title_, comment_, desktopStringValue(program), exec);
    return writeFileAtomically(path(), text.toUtf8());
}

void AutostartEntry::remove() const {
    QFile::remove(path());
}

bool AutostartEntry::exists() const {
    return QFile::exists(path());
}

} // namespace lumera
