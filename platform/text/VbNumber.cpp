#include "platform/text/VbNumber.h"

#include <cmath>
#include <limits>

namespace lumera {

namespace {

bool isBlank(QChar c) {
    return c == ' ' || c == '\t' || c == QChar(0x3000);
}

template <typename Int> std::optional<Int> roundToTarget(const QString& text) {
    const std::optional<double> value = readVbDouble(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // the default mode rounds halves to even
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<double> readVbDouble(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;

    // Only plain decimal forms: [sign] digits [. digits] [e [sign] digits].
    qsizetype i = begin;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    qsizetype digits = 0;
    while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < end && text[i] == '.') {
        ++i;
        while (i < end && text[i].unicode() < 128 && text[i].isDigit()) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            ++i;
        qsizetype expDigits = 0;
        while (i < end && text[i].unicode() < 128 && text[i].isDigit()) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    bool ok = false;
    const double value = text.mid(begin, end - begin).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> readVbInteger(const QString& text) {
    return roundToTarget<std::int16_t>(text);
}

std::optional<std::int32_t> readVbLong(const QString& text) {
    return roundToTarget<std::int32_t>(text);
}

} // namespace lumera
