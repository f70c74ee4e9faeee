#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace lumera {

// Number reading as the programs' stored values expect it: blanks around the number are
// allowed, a leading sign, a decimal fraction and an exponent are accepted, and a fraction
// goes to the nearest integer with halves to even ("2.5" gives 2, "3.5" gives 4). Anything
// else, or a value outside the target type, is a failed read (nullopt).
std::optional<double> readVbDouble(const QString& text);
std::optional<std::int16_t> readVbInteger(const QString& text);
std::optional<std::int32_t> readVbLong(const QString& text);

} // namespace lumera
