#include "platform/screen/MonitorPower.h"

#include <QTimer>
#include <cstdlib>
#include <xcb/dpms.h>
#include <xcb/xcb.h>

namespace lumera {

namespace {

constexpr int kWatchIntervalMs = 1000;

class XcbDpmsDisplay : public DpmsDisplay {
public:
    ~XcbDpmsDisplay() override {
        if (connection_)
            xcb_disconnect(connection_);
    }

    std::optional<State> state() override {
        if (!connect())
            return std::nullopt;
        xcb_dpms_capable_reply_t* capable =
            xcb_dpms_capable_reply(connection_, xcb_dpms_capable(connection_), nullptr);
        const bool isCapable = capable && capable->capable;
        std::free(capable);
        if (!isCapable)
            return std::nullopt;
        xcb_dpms_info_reply_t* info =
            xcb_dpms_info_reply(connection_, xcb_dpms_info(connection_), nullptr);
        if (!info)
            return std::nullopt;
        const State state{info->state != 0, info->power_level == XCB_DPMS_DPMS_MODE_ON};
        std::free(info);
        return state;
    }

    void setEnabled(bool enabled) override {
        if (!connect())
            return;
        if (enabled)
            xcb_dpms_enable(connection_);
        else
            xcb_dpms_disable(connection_);
        xcb_flush(connection_);
    }

    void forceStandbyThenOff() override {
        if (!connect())
            return;
        xcb_dpms_force_level(connection_, XCB_DPMS_DPMS_MODE_STANDBY);
        xcb_dpms_force_level(connection_, XCB_DPMS_DPMS_MODE_OFF);
        xcb_flush(connection_);
    }

private:
    // One connection for as long as it works; a broken one is made again.
    bool connect() {
        if (connection_ && !xcb_connection_has_error(connection_))
            return true;
        if (connection_) {
            xcb_disconnect(connection_);
            connection_ = nullptr;
        }
        if (!std::getenv("DISPLAY"))
            return false;
        connection_ = xcb_connect(nullptr, nullptr);
        return !xcb_connection_has_error(connection_);
    }

    xcb_connection_t* connection_ = nullptr;
};

} // namespace

std::unique_ptr<DpmsDisplay> xcbDpmsDisplay() {
    return std::make_unique<XcbDpmsDisplay>();
}

MonitorPower::MonitorPower(std::unique_ptr<DpmsDisplay> display, QObject* parent)
    : QObject(parent), display_(std::move(display)), timer_(new QTimer(this)) {
    timer_->setInterval(kWatchIntervalMs);
    connect(timer_, &QTimer::timeout, this, &MonitorPower::watch);
}

MonitorPower::~MonitorPower() {
    if (restoreDisabled_)
        display_->setEnabled(false);
}

bool MonitorPower::turnOff() {
    const std::optional<DpmsDisplay::State> before = display_->state();
    if (!before)
        return false;
    // A second click while the first waits: DPMS is on only because of the first.
    if (!before->enabled && !restoreDisabled_) {
        restoreDisabled_ = true;
        timer_->start();
    }
    display_->setEnabled(true);
    display_->forceStandbyThenOff();
    return true;
}

void MonitorPower::watch() {
    const std::optional<DpmsDisplay::State> now = display_->state();
    if (now && !now->monitorOn)
        return;
    timer_->stop();
    if (restoreDisabled_) {
        restoreDisabled_ = false;
        display_->setEnabled(false);
    }
}

} // namespace lumera
