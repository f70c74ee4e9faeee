#pragma once

#include <QObject>
#include <chrono>

namespace lumera {

// The desktop's own account of whether the user is idle. After watch(), idled() comes once
// the user has touched neither keyboard nor pointer for the time given, and resumed() at the
// first activity after that; the pair repeats for every idle period.
class IdleSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Starts watching; false when the desktop offers no way to tell.
    virtual bool watch(std::chrono::milliseconds idleTime) = 0;
    // Asks a source that has to look for itself to look now. Sources that are told by the
    // desktop ignore it.
    virtual void recheck() {}

signals:
    void idled();
    void resumed();
    // The desktop has gone away (the session ended); nothing more will come.
    void lost();
};

} // namespace lumera
