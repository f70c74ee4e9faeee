#include "platform/settings/SettingsStore.h"

#include "platform/settings/ConfigFolder.h"
#include "platform/settings/IniFile.h"
#include "platform/text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace lumera {

namespace {

// A settings file is a few kilobytes; a huge one is junk and is read only this far.
constexpr qint64 kMaxSettingsBytes = 4 * 1024 * 1024;
constexpr int kLockWaitMs = 5000;

IniFile readIni(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return IniFile::parse(QString::fromUtf8(file.read(kMaxSettingsBytes)));
}

} // namespace

SettingsStore::SettingsStore() : SettingsStore(configFolder()) {}

SettingsStore::SettingsStore(QString folder) : folder_(std::move(folder)) {}

QString SettingsStore::fileFor(const QString& application) const {
    return folder_ + '/' + application + ".ini";
}

QString SettingsStore::read(const QString& application, const QString& section,
                            const QString& key) const {
    return readIni(fileFor(application)).value(section, key).value_or(QString());
}

bool SettingsStore::write(const QString& application, const QString& section, const QString& key,
                          const QString& text) {
    if (!QDir().mkpath(folder_))
        return false;
    const QString path = fileFor(application);
    // Read, change one key and rename the new file into place under a lock, so a writer in
    // another process never overwrites a key it did not know about.
    QLockFile lock(path + ".lock");
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(kLockWaitMs))
        return false;
    IniFile ini = readIni(path);
    ini.setValue(section, key, text);
    return writeFileAtomically(path, ini.serialise().toUtf8());
}

} // namespace lumera
