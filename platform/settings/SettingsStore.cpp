#include "platform/settings/SettingsStore.h"

#include "platform/process/ConfigFolder.h"
#include "platform/settings/IniFile.h"
#include "platform/text/LockedFileUpdate.h"

#include <QDir>

namespace lumera {

namespace {

// A settings file is a few kilobytes; a huge one is junk and is read only this far.
constexpr qint64 kMaxSettingsBytes = 4 * 1024 * 1024;

} // namespace

SettingsStore::SettingsStore() : SettingsStore(configFolder()) {}

SettingsStore::SettingsStore(QString folder) : folder_(std::move(folder)) {}

QString SettingsStore::fileFor(const QString& application) const {
    return folder_ + '/' + application + ".ini";
}

QString SettingsStore::read(const QString& application, const QString& section,
                            const QString& key) const {
    return IniFile::parse(readSmallTextFile(fileFor(application), kMaxSettingsBytes))
        .value(section, key)
        .value_or(QString());
}

bool SettingsStore::write(const QString& application, const QString& section, const QString& key,
                          const QString& text) {
    // This class's own update, also where a subclass replaces update.
    return SettingsStore::update(application, [&](IniFile& values) {
        values.setValue(section, key, text);
        return true;
    });
}

bool SettingsStore::update(const QString& application,
                           const std::function<bool(IniFile& values)>& change) {
    if (!QDir().mkpath(folder_))
        return false;
    // Read, change and rename the new file into place under a lock, so a writer in another
    // process never overwrites a key it did not know about.
    return updateFileLocked(fileFor(application), kMaxSettingsBytes,
                            [&](const QString& current) -> std::optional<QString> {
                                IniFile ini = IniFile::parse(current);
                                if (!change(ini))
                                    return std::nullopt;
                                return ini.serialise();
                            });
}

} // namespace lumera
