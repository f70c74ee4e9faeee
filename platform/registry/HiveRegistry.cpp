#include "platform/registry/HiveRegistry.h"

#include "platform/process/ConfigFolder.h"
#include "platform/registry/HiveFile.h"
#include "platform/text/LockedFileUpdate.h"

#include <QDir>
#include <QFileInfo>

namespace lumera {

namespace {

const QString kRunKey = QStringLiteral("software\\microsoft\\windows\\currentversion\\run");

QString rootName(std::uint32_t root) {
    switch (root) {
    case 0x80000000u:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case 0x80000002u:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case 0x80000003u:
        return QStringLiteral("HKEY_USERS");
    default:
        return {};
    }
}

QString fullPath(std::uint32_t root, const QString& keyPath) {
    const QString name = rootName(root);
    if (name.isEmpty())
        return {};
    return keyPath.isEmpty() ? name : name + '\\' + keyPath;
}

// The hive is a few kilobytes; a huge one is junk and is read only this far.
constexpr qint64 kMaxHiveBytes = 16 * 1024 * 1024;

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isRunValue(const QString& keyPath, const QString& valueName) {
    return same(keyPath, kRunKey) && same(valueName, "Radio");
}

} // namespace

QString HiveRegistry::defaultHivePath() {
    return configFolder() + "/registry.hive";
}

HiveRegistry::HiveRegistry(QString hivePath, std::optional<AutostartEntry> runEntry)
    : hivePath_(std::move(hivePath)), runEntry_(std::move(runEntry)) {}

void HiveRegistry::SetRegistryString(std::uint32_t root, const QString& keyPath,
                                     const QString& valueName, const QString& data) {
    const QString path = fullPath(root, keyPath);
    if (path.isEmpty())
        return;
    if (QDir().mkpath(QFileInfo(hivePath_).absolutePath())) {
        updateFileLocked(hivePath_, kMaxHiveBytes,
                         [&](const QString& current) -> std::optional<QString> {
                             HiveFile hive = HiveFile::parse(current);
                             hive.setValue(path, valueName, data);
                             return hive.serialise();
                         });
    }
    if (root == HKEY_CURRENT_USER)
        mirror(keyPath, valueName, data);
}

void HiveRegistry::DeleteRegistryValue(std::uint32_t root, const QString& keyPath,
                                       const QString& valueName) {
    const QString path = fullPath(root, keyPath);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(hivePath_)) {
        updateFileLocked(hivePath_, kMaxHiveBytes,
                         [&](const QString& current) -> std::optional<QString> {
                             HiveFile hive = HiveFile::parse(current);
                             if (!hive.removeValue(path, valueName))
                                 return std::nullopt;
                             return hive.serialise();
                         });
    }
    if (root == HKEY_CURRENT_USER)
        mirror(keyPath, valueName, std::nullopt);
}

QString HiveRegistry::value(std::uint32_t root, const QString& keyPath,
                            const QString& valueName) const {
    const QString path = fullPath(root, keyPath);
    if (path.isEmpty())
        return {};
    // The log-on entry lives in the desktop's autostart folder, where the user may delete it.
    if (root == HKEY_CURRENT_USER && isRunValue(keyPath, valueName) && runEntry_ &&
        !runEntry_->exists())
        return {};
    return HiveFile::parse(readSmallTextFile(hivePath_, kMaxHiveBytes))
        .value(path, valueName)
        .value_or(QString());
}

void HiveRegistry::mirror(const QString& keyPath, const QString& valueName,
                          const std::optional<QString>& data) {
    if (isRunValue(keyPath, valueName) && runEntry_) {
        if (data)
            runEntry_->write(*data);
        else
            runEntry_->remove();
    }
}

} // namespace lumera
