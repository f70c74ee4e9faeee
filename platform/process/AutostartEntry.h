#pragma once

#include <QString>
#include <QStringList>

namespace lumera {

// An XDG autostart entry, <folder>/<name>.desktop, that starts one program at log-on.
class AutostartEntry {
public:
    // `title` and `comment` are what session settings show of the entry.
    AutostartEntry(QString autostartFolder, QString name,
                   QString title = QStringLiteral("Lumera桌面"),
                   QString comment = QStringLiteral("Lumera桌面 tray at log-on"));

    // Writes the entry (through a temporary file) that starts the program, through its
    // launcher where it has one (see launcherOf). False when the folder is not writable.
    bool write(const QString& programPath, const QStringList& arguments = {}) const;
    // Deletes the entry; a missing one is fine.
    void remove() const;
    bool exists() const;
    QString path() const;

private:
    QString folder_;
    QString name_;
    QString title_;
    QString comment_;
};

// One argument of an Exec line quoted as the Desktop Entry specification requires, and the
// result escaped once more as a string value of the file.
QString desktopExecArgument(const QString& argument);
// Text escaped as a string value of a desktop entry.
QString desktopStringValue(const QString& text);

} // namespace lumera
