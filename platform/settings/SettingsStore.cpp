#include "platform/settings/SettingsStore.h"

#include "platform/settings/ConfigFolder.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace lumera {

namespace {

// QSettings keeps "General" for keys outside any group and treats "/" as a separator;
// the programs use neither, but a hand-edited name must not reach another key.
QString groupKey(const QString& section, const QString& key) {
    QString s = section;
    QString k = key;
    s.replace('/', '_');
    k.replace('/', '_');
    return s + '/' + k;
}

} // namespace

SettingsStore::SettingsStore() : SettingsStore(configFolder()) {}

SettingsStore::SettingsStore(QString folder) : folder_(std::move(folder)) {}

QString SettingsStore::fileFor(const QString& application) const {
    return folder_ + '/' + application + ".ini";
}

QString SettingsStore::read(const QString& application, const QString& section,
                            const QString& key) const {
    QSettings ini(fileFor(application), QSettings::IniFormat);
    const QVariant value = ini.value(groupKey(section, key));
    if (!value.isValid())
        return {};
    // A hand-written value with an unquoted comma comes back as a list: keep it as the text
    // that was in the file.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(',');
    if (value.canConvert<QString>())
        return value.toString();
    return {};
}

bool SettingsStore::write(const QString& application, const QString& section,
                          const QString& key, const QString& text) {
    if (!QDir().mkpath(folder_))
        return false;
    QSettings ini(fileFor(application), QSettings::IniFormat);
    ini.setValue(groupKey(section, key), text);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace lumera
