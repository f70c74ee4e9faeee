#include "platform/registry/AutostartEntry.h"

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
    QString escaped;
    escaped.reserve(quoted.size() + 4);
    for (const QChar c : quoted) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

AutostartEntry::AutostartEntry(QString autostartFolder, QString name)
    : folder_(std::move(autostartFolder)), name_(std::move(name)) {}

QString AutostartEntry::path() const {
    return folder_ + '/' + name_ + ".desktop";
}

bool AutostartEntry::write(const QString& programPath) const {
    if (!QDir().mkpath(folder_))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Lumera桌面\n"
                                        "Comment=Lumera桌面 tray at log-on\n"
                                        "Exec=%1\n"
                                        "Icon=lumera-korvid\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(desktopExecArgument(programPath));
    return writeFileAtomically(path(), text.toUtf8());
}

void AutostartEntry::remove() const {
    QFile::remove(path());
}

bool AutostartEntry::exists() const {
    return QFile::exists(path());
}

} // namespace lumera
