#pragma once

#include <QDateTime>

namespace lumera {

// The time of day, injectable so timers' rules can be tested at any minute.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

} // namespace lumera
