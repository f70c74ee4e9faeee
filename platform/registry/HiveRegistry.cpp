#include "platform/registry/HiveRegistry.h"

#include "platform/registry/HiveFile.h"
#include "platform/settings/ConfigFolder.h"
#include "platform/text/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace lumera {

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");
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

HiveFile readHive(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return HiveFile::parse(QString::fromUtf8(file.read(16 * 1024 * 1024)));
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString HiveRegistry::defaultHivePath() {
    return configFolder() + "/registry.hive";
}

HiveRegistry::HiveRegistry(QString hivePath, ScreenSaverInhibitor* inhibitor,
                           std::optional<AutostartEntry> runEntry)
    : hivePath_(std::move(hivePath)), inhibitor_(inhibitor), runEntry_(std::move(runEntry)) {}

void HiveRegistry::SetRegistryString(std::uint32_t root, const QString& keyPath,
                                     const QString& valueName, const QString& data) {
    const QString path = fullPath(root, keyPath);
    if (path.isEmpty())
        return;
    if (QDir().mkpath(QFileInfo(hivePath_).absolutePath())) {
        QLockFile lock(hivePath_ + ".lock");
        lock.setStaleLockTime(5000);
        if (lock.tryLock(5000)) {
            HiveFile hive = readHive(hivePath_);
            hive.setValue(path, valueName, data);
            writeFileAtomically(hivePath_, hive.serialise().toUtf8());
        }
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
        QLockFile lock(hivePath_ + ".lock");
        lock.setStaleLockTime(5000);
        if (lock.tryLock(5000)) {
            HiveFile hive = readHive(hivePath_);
            if (hive.removeValue(path, valueName))
                writeFileAtomically(hivePath_, hive.serialise().toUtf8());
        }
    }
    if (root == HKEY_CURRENT_USER)
        mirror(keyPath, valueName, std::nullopt);
}

QString HiveRegistry::value(std::uint32_t root, const QString& keyPath,
                            const QString& valueName) const {
    const QString path = fullPath(root, keyPath);
    if (path.isEmpty())
        return {};
    return readHive(hivePath_).value(path, valueName).value_or(QString());
}

void HiveRegistry::mirror(const QString& keyPath, const QString& valueName,
                          const std::optional<QString>& data) {
    if (same(keyPath, kDesktopKey) && same(valueName, "ScreenSaveActive")) {
        if (!inhibitor_ || !data)
            return;
        if (*data == "0")
            inhibitor_->inhibit();
        else if (*data == "1")
            inhibitor_->release();
        return;
    }
    if (same(keyPath, kRunKey) && same(valueName, "Radio") && runEntry_) {
        if (data)
            runEntry_->write(*data);
        else
            runEntry_->remove();
    }
}

} // namespace lumera
