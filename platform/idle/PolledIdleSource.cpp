#include "platform/idle/PolledIdleSource.h"

namespace lumera {

using std::chrono::milliseconds;

namespace {

// Asked a little after the idle time can be up, so a timer that fires early finds it up.
constexpr milliseconds kMargin{50};

} // namespace

PolledIdleSource::PolledIdleSource(std::function<std::optional<milliseconds>()> sinceInput,
                                   QObject* parent)
    : IdleSource(parent), sinceInput_(std::move(sinceInput)) {
    timer_.setSingleShot(true);
    // Woken once, when due: a coarse timer may come up to a twentieth early and wake twice.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PolledIdleSource::check);
    clock_.start();
}

bool PolledIdleSource::watch(milliseconds idleTime) {
    if (!sinceInput_())
        return false;
    idleTime_ = idleTime;
    idle_ = false;
    check();
    return true;
}

void PolledIdleSource::recheck() {
    if (idleTime_.count() > 0)
        check();
}

milliseconds PolledIdleSource::nextCheckIn() const {
    return milliseconds(timer_.remainingTime());
}

void PolledIdleSource::check() {
    const std::optional<milliseconds> since = sinceInput_();
    if (!since) {
        timer_.start(idleTime_);
        return;
    }
    const milliseconds now(clock_.elapsed());
    const milliseconds start = now - *since;
    // The user came back: input after the period began moves its start on by at least the
    // idle time, so half of it tells that from the clocks' disagreement.
    if (idle_ && start - periodStart_ > idleTime_ / 2) {
        idle_ = false;
        emit resumed();
    }
    if (!idle_ && *since >= idleTime_) {
        idle_ = true;
        periodStart_ = start;
        emit idled();
    }
    timer_.start(idle_ ? idleTime_ : idleTime_ - *since + kMargin);
}

} // namespace lumera
