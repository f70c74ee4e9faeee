#include "dpms-server-protocol.h"
#include "platform/screen/WaylandMonitorPower.h"
#include "wlr-output-power-management-unstable-v1-server-protocol.h"

#include <QStringList>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <wayland-server.h>

using namespace lumera;

namespace {

// A compositor on a socket of its own, in a thread of its own, with two outputs and the power
// protocols asked for; it logs the modes it is asked to put the outputs in.
class FakeCompositor {
public:
    FakeCompositor(bool kwin, bool wlroots) : display_(wl_display_create()) {
        qputenv("WAYLAND_DISPLAY", wl_display_add_socket_auto(display_));
        for (int output = 0; output < 2; ++output)
            wl_global_create(display_, &wl_output_interface, 1, nullptr,
                             [](wl_client* client, void*, uint32_t version, uint32_t id) {
                                 wl_resource_create(client, &wl_output_interface, version, id);
                             });
        if (kwin)
            wl_global_create(display_, &org_kde_kwin_dpms_manager_interface, 1, this, bindKWin);
        if (wlroots)
            wl_global_create(display_, &zwlr_output_power_manager_v1_interface, 1, this,
                             bindWlroots);
        thread_ = std::thread([this] {
            while (!stop_) {
                wl_event_loop_dispatch(wl_display_get_event_loop(display_), 20);
                wl_display_flush_clients(display_);
            }
        });
    }
    ~FakeCompositor() {
        stop_ = true;
        thread_.join();
        // A client that hung up just now may not have been seen to go yet.
        wl_display_destroy_clients(display_);
        wl_display_destroy(display_);
    }

    QStringList modes() {
        const std::lock_guard lock(mutex_);
        return modes_;
    }

private:
    static FakeCompositor* of(wl_resource* resource) {
        return static_cast<FakeCompositor*>(wl_resource_get_user_data(resource));
    }
    void log(const QString& mode) {
        const std::lock_guard lock(mutex_);
        modes_.append(mode);
    }
    static void destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

    static void bindKWin(wl_client* client, void* data, uint32_t version, uint32_t id) {
        static const struct org_kde_kwin_dpms_interface kDpms {
            [](wl_client*, wl_resource* dpms, uint32_t mode) {
                of(dpms)->log(QString("kwin %1").arg(mode));
            },
                destroy,
        };
        static const struct org_kde_kwin_dpms_manager_interface kManager {
            [](wl_client* client, wl_resource* manager, uint32_t id, wl_resource*) {
                wl_resource* dpms = wl_resource_create(client, &org_kde_kwin_dpms_interface, 1, id);
                wl_resource_set_implementation(dpms, &kDpms, wl_resource_get_user_data(manager),
                                               nullptr);
            },
        };
        wl_resource* manager =
            wl_resource_create(client, &org_kde_kwin_dpms_manager_interface, version, id);
        wl_resource_set_implementation(manager, &kManager, data, nullptr);
    }

    static void bindWlroots(wl_client* client, void* data, uint32_t version, uint32_t id) {
        static const struct zwlr_output_power_v1_interface kPower {
            [](wl_client*, wl_resource* power, uint32_t mode) {
                of(power)->log(QString("wlroots %1").arg(mode));
            },
                destroy,
        };
        static const struct zwlr_output_power_manager_v1_interface kManager {
            [](wl_client* client, wl_resource* manager, uint32_t id, wl_resource*) {
                wl_resource* power =
                    wl_resource_create(client, &zwlr_output_power_v1_interface, 1, id);
                wl_resource_set_implementation(power, &kPower, wl_resource_get_user_data(manager),
                                               nullptr);
            },
                destroy,
        };
        wl_resource* manager =
            wl_resource_create(client, &zwlr_output_power_manager_v1_interface, version, id);
        wl_resource_set_implementation(manager, &kManager, data, nullptr);
    }

    wl_display* display_;
    std::thread thread_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    QStringList modes_;
};

using Protocol = WaylandMonitorPower::Protocol;

} // namespace

// Each way takes its own protocol only. The wlroots way also needs the compositor's layer shell
// or idle notification, or the monitors would stay off; sway's real ones are driven end to end.
TEST(WaylandMonitorPower, TurnsEveryOutputOffThroughItsOwnProtocol) {
    {
        FakeCompositor kwin(true, false);
        EXPECT_FALSE(WaylandMonitorPower(Protocol::Wlroots).turnOff());
        EXPECT_TRUE(WaylandMonitorPower(Protocol::KWin).turnOff());
        EXPECT_EQ(kwin.modes(), QStringList({"kwin 3", "kwin 3"}));
    }
    {
        FakeCompositor wlrootsWithoutIdle(false, true);
        EXPECT_FALSE(WaylandMonitorPower(Protocol::KWin).turnOff());
        EXPECT_FALSE(WaylandMonitorPower(Protocol::Wlroots).turnOff());
        EXPECT_EQ(wlrootsWithoutIdle.modes(), QStringList());
    }
    qputenv("WAYLAND_DISPLAY", "no-compositor-here");
    EXPECT_FALSE(WaylandMonitorPower(Protocol::KWin).turnOff());
}
