#pragma once

#include "platform/process/AutostartEntry.h"
#include "platform/registry/Registry.h"

#include <QString>
#include <optional>

namespace lumera {

// The registry kept as a text hive file, plus the Windows value that means something to the
// Linux desktop:
//   "software\microsoft\windows\currentversion\run" "Radio": an autostart entry whose Exec
//   is the value's data (the program path); deleting the value deletes the entry, and the
//   value reads as empty while the entry is missing.
// "Control Panel\Desktop" "ScreenSaveActive" is kept as written, a record only: what keeps the
// desktop's saver away is a main window on screen (ShownWindowsInhibitor), not this value.
//
// The hive looks like a .reg file:
//   [HKEY_CURRENT_USER\Control Panel\Desktop]
//   "ScreenSaveActive"="0"
// Lines that are not of these forms are kept out of the model and dropped at the next write.
class HiveRegistry : public Registry {
public:
    HiveRegistry(QString hivePath, std::optional<AutostartEntry> runEntry);

    void SetRegistryString(std::uint32_t root, const QString& keyPath, const QString& valueName,
                           const QString& data) override;
    void DeleteRegistryValue(std::uint32_t root, const QString& keyPath,
                             const QString& valueName) override;
    QString value(std::uint32_t root, const QString& keyPath,
                  const QString& valueName) const override;

    // $XDG_CONFIG_HOME/Lumera/registry.hive
    static QString defaultHivePath();

private:
    void mirror(const QString& keyPath, const QString& valueName,
                const std::optional<QString>& data);

    QString hivePath_;
    std::optional<AutostartEntry> runEntry_;
};

} // namespace lumera
