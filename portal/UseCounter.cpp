#include "portal/UseCounter.h"

#include "platform/registry/Registry.h"
#include "platform/settings/SettingsStore.h"
#include "platform/text/VbNumber.h"

#include <limits>

namespace lumera::portal {

namespace {

// A missing or non-numeric count is 0; at the largest count the addition overflows and
// fails, so the count stays.
std::int32_t nextCount(const std::optional<QString>& stored) {
    const std::int32_t count = readVbLong(stored.value_or(QString())).value_or(0);
    return count < std::numeric_limits<std::int32_t>::max() ? count + 1 : count;
}

} // namespace

std::int32_t IncrementUseCount(SettingsStore& settings, Registry& registry,
                               const FirstUseValues& firstUse, const QString& section) {
    // Read and written back under the file's lock: two copies loading a window at the same
    // moment each add their one.
    std::optional<std::int32_t> counted;
    settings.update(kCinemaApp, [&](IniFile& values) {
        const std::int32_t count = nextCount(values.value(section, "usecount"));
        if (count == 1) {
            values.setValue("setup", "history", "1");
            values.setValue("unload", "PingDao", firstUse.defaultRadioPage);
        }
        const QString text = QString::number(count);
        values.setValue(section, "usecount", text);
        values.setValue("update", "usecount", text);
        counted = count;
        return true;
    });
    // Settings that cannot be written still give this load its number.
    const std::int32_t count =
        counted.value_or(nextCount(settings.read(kCinemaApp, section, "usecount")));
    if (count == 1)
        registry.SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Radio", firstUse.runValue);
    return count;
}

} // namespace lumera::portal
