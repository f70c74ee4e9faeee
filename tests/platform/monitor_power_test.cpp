#include "platform/screen/MonitorPower.h"
#include "platform/screen/MonitorSwitch.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>

using namespace lumera;

namespace {

// An X server's DPMS as the test sets it; the calls made are logged.
struct FakeDpms : DpmsDisplay {
    State now{false, true};
    bool available = true;
    QStringList* calls;
    explicit FakeDpms(QStringList* log) : calls(log) {}
    std::optional<State> state() override {
        return available ? std::optional<State>(now) : std::nullopt;
    }
    void setEnabled(bool enabled) override {
        now.enabled = enabled;
        calls->append(enabled ? "enable" : "disable");
        if (!enabled)
            now.monitorOn = true; // the X server turns the monitor on with DPMS off
    }
    void forceStandbyThenOff() override {
        if (now.enabled)
            now.monitorOn = false;
        calls->append("off");
    }
};

// A way of turning the monitors off that is offered or not; the ways asked are logged.
struct FakeWay : MonitorSwitch {
    QString name;
    bool offered;
    QStringList* asked;
    FakeWay(QString wayName, bool isOffered, QStringList* log)
        : name(std::move(wayName)), offered(isOffered), asked(log) {}
    bool turnOff() override {
        asked->append(name);
        return offered;
    }
};

// The ways asked of a session with the X server's DPMS and the compositor's wlroots, KWin and
// Mutter ways, of which those named are offered; "none" when none turned the monitors off.
QStringList asked(bool wayland, const QStringList& offered) {
    QStringList log;
    std::vector<std::unique_ptr<MonitorSwitch>> compositor;
    for (const char* name : {"wlroots", "kwin", "mutter"})
        compositor.push_back(std::make_unique<FakeWay>(name, offered.contains(name), &log));
    SessionMonitorSwitch session(wayland,
                                 std::make_unique<FakeWay>("x11", offered.contains("x11"), &log),
                                 std::move(compositor));
    if (!session.turnOff())
        log.append("none");
    return log;
}

} // namespace

TEST(MonitorSwitch, TakesTheFirstWayTheSessionOffers) {
    const QStringList everything{"x11", "wlroots", "kwin", "mutter"};
    // X: the X server's DPMS alone, whatever else answers.
    EXPECT_EQ(asked(false, everything), QStringList({"x11"}));
    EXPECT_EQ(asked(false, {"mutter"}), QStringList({"x11", "none"}));
    // Wayland: never XWayland's DPMS, which does not reach the screen.
    EXPECT_EQ(asked(true, everything), QStringList({"wlroots"}));
    EXPECT_EQ(asked(true, {"x11", "kwin", "mutter"}), QStringList({"wlroots", "kwin"}));
    EXPECT_EQ(asked(true, {"x11", "mutter"}), QStringList({"wlroots", "kwin", "mutter"}));
    EXPECT_EQ(asked(true, {"x11"}), QStringList({"wlroots", "kwin", "mutter", "none"}));
}

TEST(MonitorPower, LeavesDpmsAsItFoundIt) {
    QStringList calls;
    auto owned = std::make_unique<FakeDpms>(&calls);
    FakeDpms& dpms = *owned;
    MonitorPower power(std::move(owned));

    // Disabled by the user: enabled for the force, disabled again once the monitor is back on.
    ASSERT_TRUE(power.turnOff());
    EXPECT_FALSE(dpms.now.monitorOn);
    power.watch();
    EXPECT_FALSE(dpms.now.monitorOn); // not while it is off: that would wake it
    ASSERT_TRUE(power.turnOff());     // a second click meanwhile changes nothing of that
    dpms.now.monitorOn = true;        // a key press
    power.watch();
    EXPECT_FALSE(dpms.now.enabled);
    EXPECT_FALSE(power.restorePending());
    EXPECT_EQ(calls, QStringList({"enable", "off", "enable", "off", "disable"}));

    // Enabled by the user: stays so.
    calls.clear();
    dpms.now = {true, true};
    ASSERT_TRUE(power.turnOff());
    dpms.now.monitorOn = true;
    power.watch();
    EXPECT_TRUE(dpms.now.enabled);
    EXPECT_EQ(calls, QStringList({"enable", "off"}));

    // No DPMS: nothing is asked of it.
    dpms.available = false;
    EXPECT_FALSE(power.turnOff());
    EXPECT_EQ(calls.size(), 2);
}

TEST(MonitorPower, ProgramEndRestoresTheSetting) {
    QStringList calls;
    {
        MonitorPower power(std::make_unique<FakeDpms>(&calls));
        power.turnOff();
    }
    EXPECT_EQ(calls, QStringList({"enable", "off", "disable"}));
}
