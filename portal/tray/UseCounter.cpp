#include "portal/tray/UseCounter.h"

#include "platform/registry/Registry.h"
#include "platform/settings/SettingsStore.h"
#include "platform/text/VbNumber.h"

#include <limits>

namespace lumera::portal {

std::int32_t IncrementUseCount(SettingsStore& settings, Registry& registry,
                               const FirstUseValues& firstUse, const QString& section) {
    // A missing or non-numeric count is 0; a failed conversion leaves the variable as it was.
    std::int32_t count = readVbLong(settings.read(kCinemaApp, section, "usecount")).value_or(0);
    // At the largest count the addition overflows and fails: the count stays.
    if (count < std::numeric_limits<std::int32_t>::max())
        ++count;
    if (count == 1) {
        settings.write(kCinemaApp, "setup", "history", "1");
        settings.write(kCinemaApp, "unload", "PingDao", firstUse.defaultRadioPage);
        registry.SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Radio", firstUse.runValue);
    }
    const QString text = QString::number(count);
    settings.write(kCinemaApp, section, "usecount", text);
    settings.write(kCinemaApp, "update", "usecount", text);
    return count;
}

} // namespace lumera::portal
