#pragma once

#include <QString>
#include <cstdint>

namespace lumera {
class Registry;
class SettingsStore;
} // namespace lumera

namespace lumera::portal {

// What the first use writes besides the counts.
struct FirstUseValues {
    QString defaultRadioPage;
    QString runValue; // the program path the log-on entry starts
};

// IncrementUseCount of module Modmain: counts one main-window load in "cinema"/section and
// does the first-use set-up when the count becomes 1. Returns the new count.
std::int32_t IncrementUseCount(SettingsStore& settings, Registry& registry,
                               const FirstUseValues& firstUse, const QString& section);

inline const QString kCinemaApp = QStringLiteral("cinema");
inline const QString kRunKey = QStringLiteral("software\\microsoft\\windows\\currentversion\\run");

} // namespace lumera::portal
