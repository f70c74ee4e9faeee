#pragma once

#include "platform/settings/IniFile.h"

#include <QString>
#include <functional>

namespace lumera {

// Per-user text values addressed by application, section and key.
//
// Each application is one INI file, $XDG_CONFIG_HOME/Lumera/<application>.ini, with
// "[section]" groups and "key=value" lines in UTF-8. Every write is merged into the file
// under a lock and renamed into place, so a second process sees it at its next read, two
// processes writing different keys at once lose neither, and a reader never sees half a file.
class SettingsStore {
public:
    // Uses $XDG_CONFIG_HOME/Lumera (default ~/.config/Lumera).
    SettingsStore();
    explicit SettingsStore(QString folder);
    virtual ~SettingsStore() = default;

    // A missing key, or a file that cannot be read, reads as empty text.
    virtual QString read(const QString& application, const QString& section,
                         const QString& key) const;
    // Creates the file and section as needed. Returns false when the file could not be
    // written (a read-only folder, a full disk); callers of the programs ignore that.
    virtual bool write(const QString& application, const QString& section, const QString& key,
                       const QString& text);
    // Reads the application's values, lets `change` read and set any of them and writes the
    // result back, all under the file's lock, so a read-change-write such as a counter loses
    // no step to another process doing the same. `change` returns false to leave the file as
    // it is. False when `change` could not run (no folder, no lock in time) or the file could
    // not be written.
    virtual bool update(const QString& application,
                        const std::function<bool(IniFile& values)>& change);

    QString folder() const { return folder_; }
    QString fileFor(const QString& application) const;

private:
    QString folder_;
};

} // namespace lumera
