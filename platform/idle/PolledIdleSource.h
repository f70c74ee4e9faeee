#pragma once

#include "platform/idle/IdleSource.h"

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

namespace lumera {

// An IdleSource over a desktop that only answers "how long since the last input?". It asks,
// then sleeps until the idle time can be up at the earliest; once idle it asks again only
// every idle time (or at recheck()) to see whether the user came back.
class PolledIdleSource : public IdleSource {
    Q_OBJECT
public:
    // `sinceInput` gives the time since the user's last input, none when it cannot tell.
    explicit PolledIdleSource(std::function<std::optional<std::chrono::milliseconds>()> sinceInput,
                              QObject* parent = nullptr);

    bool watch(std::chrono::milliseconds idleTime) override;
    void recheck() override;

    // When the next question is due, from now; for tests.
    std::chrono::milliseconds nextCheckIn() const;

private:
    void check();

    std::function<std::optional<std::chrono::milliseconds>()> sinceInput_;
    std::chrono::milliseconds idleTime_{0};
    QTimer timer_;
    QElapsedTimer clock_;
    bool idle_ = false;
    // When the present idle period began, on clock_.
    std::chrono::milliseconds periodStart_{0};
};

} // namespace lumera
