#pragma once

#include <QDateTime>
#include <QString>

namespace lumera::portal {

// Dates and times as a Chinese desktop writes them, whatever the system's locale: the
// program's other texts are Chinese too. "2026/12/7", "9:05", "2026/12/7 9:05:03".
inline QString chineseDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/M/d"));
}
inline QString chineseTime(const QTime& time) {
    return time.toString(QStringLiteral("H:mm"));
}
inline QString chineseDateTime(const QDateTime& when) {
    return chineseDate(when.date()) + QLatin1Char(' ') +
           when.time().toString(QStringLiteral("H:mm:ss"));
}

} // namespace lumera::portal
