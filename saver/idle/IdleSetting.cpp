#include "saver/idle/IdleSetting.h"

#include "platform/settings/SettingsStore.h"
#include "saver/SaverPaths.h"

#include <cmath>

namespace lumera::saver {

namespace {

constexpr double kDefaultMinutes = 10;
constexpr double kMostMinutes = 24 * 60;

} // namespace

std::chrono::milliseconds idleTimeSetting(const SettingsStore& settings) {
    bool ok = false;
    double minutes =
        settings.read(kSaverApp, QStringLiteral("ScreenSave"), QStringLiteral("IdleMinutes"))
            .trimmed()
            .toDouble(&ok);
    if (!ok || !std::isfinite(minutes) || minutes <= 0)
        minutes = kDefaultMinutes;
    minutes = std::min(minutes, kMostMinutes);
    // Never below a second, so a tiny value cannot make the starter spin.
    return std::chrono::milliseconds(std::max<long long>(1000, std::llround(minutes * 60000)));
}

} // namespace lumera::saver
