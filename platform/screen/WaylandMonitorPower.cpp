#include "platform/screen/WaylandMonitorPower.h"

#include "dpms-client-protocol.h"
#include "ext-idle-notify-v1-client-protocol.h"
#include "platform/idle/WaylandIdleSource.h"
#include "platform/screen/WaylandReturnWatch.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-output-power-management-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>
#include <wayland-client.h>

namespace lumera {

struct WaylandMonitorPower::Connection {
    wl_display* display = nullptr;
    std::vector<wl_output*> outputs;
    zwlr_output_power_manager_v1* wlrManager = nullptr;
    org_kde_kwin_dpms_manager* kdeManager = nullptr;
    std::vector<zwlr_output_power_v1*> powers;
    // Whether the compositor offers a way to see the user come back: the layer shell for
    // curtains, or idle notifications.
    bool returnVisible = false;
    // Outputs that have reported being off since the last setMode, and those the compositor
    // manages no more.
    std::size_t reportedOff = 0;
    std::size_t failed = 0;

    void setMode(uint32_t mode) {
        reportedOff = 0;
        for (zwlr_output_power_v1* power : powers)
            zwlr_output_power_v1_set_mode(power, mode);
    }

    ~Connection() {
        if (!display)
            return;
        for (zwlr_output_power_v1* power : powers)
            zwlr_output_power_v1_destroy(power);
        if (wlrManager)
            zwlr_output_power_manager_v1_destroy(wlrManager);
        if (kdeManager)
            org_kde_kwin_dpms_manager_destroy(kdeManager);
        for (wl_output* output : outputs)
            wl_output_destroy(output);
        // Everything asked is done before the connection goes: the compositor drops the
        // requests of a client that has hung up.
        wl_display_roundtrip(display);
        wl_display_disconnect(display);
    }
};

namespace {

using Connection = WaylandMonitorPower::Connection;

// Long enough for the hand that pressed the button to come to rest: the next input after it
// is the user coming back.
constexpr std::chrono::milliseconds kRestTime{200};

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* connection = static_cast<Connection*>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0)
        connection->outputs.push_back(
            static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1)));
    else if (std::strcmp(interface, zwlr_output_power_manager_v1_interface.name) == 0)
        connection->wlrManager = static_cast<zwlr_output_power_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_output_power_manager_v1_interface, 1));
    else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0 ||
             std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        connection->returnVisible = true;
    else if (std::strcmp(interface, org_kde_kwin_dpms_manager_interface.name) == 0)
        connection->kdeManager = static_cast<org_kde_kwin_dpms_manager*>(
            wl_registry_bind(registry, name, &org_kde_kwin_dpms_manager_interface, 1));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{announce, withdraw};

const zwlr_output_power_v1_listener kPowerListener{
    [](void* data, zwlr_output_power_v1*, uint32_t mode) {
        if (mode == ZWLR_OUTPUT_POWER_V1_MODE_OFF)
            ++static_cast<Connection*>(data)->reportedOff;
    },
    [](void* data, zwlr_output_power_v1*) { ++static_cast<Connection*>(data)->failed; },
};

// Waits, a second at most, until the compositor has turned every output off: some turn an
// output off by taking it out of the desktop, wl_output and all, and a surface of ours placed
// on it before would be left behind in the compositor half taken apart (sway 1.10 crashes on
// it later). False when the connection broke.
bool waitUntilOff(Connection& connection) {
    QDeadlineTimer deadline(std::chrono::seconds(1));
    while (connection.reportedOff + connection.failed < connection.powers.size() &&
           !deadline.hasExpired()) {
        if (wl_display_roundtrip(connection.display) < 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The compositor's outputs and the power protocols it offers; nothing without a compositor.
std::unique_ptr<Connection> connectToCompositor() {
    auto connection = std::make_unique<Connection>();
    connection->display = wl_display_connect(nullptr);
    if (!connection->display)
        return nullptr;
    wl_registry* registry = wl_display_get_registry(connection->display);
    wl_registry_add_listener(registry, &kRegistryListener, connection.get());
    const int answered = wl_display_roundtrip(connection->display);
    wl_registry_destroy(registry);
    if (answered < 0)
        return nullptr;
    return connection;
}

} // namespace

WaylandMonitorPower::WaylandMonitorPower(Protocol protocol) : protocol_(protocol) {}

WaylandMonitorPower::~WaylandMonitorPower() {
    if (off_)
        off_->setMode(ZWLR_OUTPUT_POWER_V1_MODE_ON);
}

bool WaylandMonitorPower::turnOff() {
    if (off_) {
        off_->setMode(ZWLR_OUTPUT_POWER_V1_MODE_OFF);
        wl_display_flush(off_->display);
        return true;
    }
    std::unique_ptr<Connection> connection = connectToCompositor();
    if (!connection || connection->outputs.empty())
        return false;
    if (protocol_ == Protocol::Wlroots)
        return connection->wlrManager && turnOffWlroots(std::move(connection));
    if (!connection->kdeManager)
        return false;
    for (wl_output* output : connection->outputs) {
        org_kde_kwin_dpms* dpms = org_kde_kwin_dpms_manager_get(connection->kdeManager, output);
        org_kde_kwin_dpms_set(dpms, ORG_KDE_KWIN_DPMS_MODE_OFF);
        org_kde_kwin_dpms_release(dpms);
    }
    return true;
}

std::unique_ptr<QObject> WaylandMonitorPower::watchForReturn() {
    // Curtains on the outputs see the first input whatever inhibits idleness (a film playing,
    // Korvid's own window); the idle notification, where the compositor has no layer shell,
    // only while nothing does.
    auto curtains = std::make_unique<WaylandReturnWatch>();
    if (curtains->watch(kRestTime)) {
        connect(curtains.get(), &WaylandReturnWatch::returned, this, &WaylandMonitorPower::turnOn);
        connect(curtains.get(), &WaylandReturnWatch::lost, this, &WaylandMonitorPower::turnOn);
        return curtains;
    }
    auto idle = std::make_unique<WaylandIdleSource>();
    if (!idle->watch(kRestTime))
        return nullptr;
    connect(idle.get(), &IdleSource::resumed, this, &WaylandMonitorPower::turnOn);
    connect(idle.get(), &IdleSource::lost, this, &WaylandMonitorPower::turnOn);
    return idle;
}

bool WaylandMonitorPower::turnOffWlroots(std::unique_ptr<Connection> connection) {
    if (!connection->returnVisible)
        return false;
    for (wl_output* output : connection->outputs) {
        zwlr_output_power_v1* power =
            zwlr_output_power_manager_v1_get_output_power(connection->wlrManager, output);
        zwlr_output_power_v1_add_listener(power, &kPowerListener, connection.get());
        connection->powers.push_back(power);
    }
    connection->setMode(ZWLR_OUTPUT_POWER_V1_MODE_OFF);
    // The watch for the user's return looks at the outputs as they are once off.
    std::unique_ptr<QObject> resume;
    if (waitUntilOff(*connection))
        resume = watchForReturn();
    if (!resume) {
        connection->setMode(ZWLR_OUTPUT_POWER_V1_MODE_ON);
        return false;
    }
    off_ = std::move(connection);
    resume_ = std::move(resume);
    return true;
}

void WaylandMonitorPower::turnOn() {
    if (!off_)
        return;
    off_->setMode(ZWLR_OUTPUT_POWER_V1_MODE_ON);
    off_.reset();
    // Its own signal brought us here: it goes once that has returned.
    resume_.release()->deleteLater();
}

} // namespace lumera
