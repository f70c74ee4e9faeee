#include "platform/desktop/IdleInhibition.h"
#include "platform/desktop/IdleSource.h"
#include "platform/desktop/ProgramRunner.h"
#include "platform/registry/HiveRegistry.h"
#include "saver/idle/IdleStarter.h"
#include "tests/saver/SaverTestApp.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

using namespace lumera;
using namespace std::chrono_literals;

namespace {

class FakeIdleSource : public IdleSource {
public:
    bool watch(std::chrono::milliseconds) override { return true; }
    void recheck() override { ++rechecks; }
    int rechecks = 0;
};

class FakeRunner : public ProgramRunner {
public:
    bool start(const QString& program, const QStringList& arguments) override {
        started.append(program + (arguments.isEmpty() ? "" : " " + arguments.join(' ')));
        running_ = true;
        return true;
    }
    bool running() const override { return running_; }
    void end() {
        running_ = false;
        emit finished();
    }
    QStringList started;

private:
    bool running_ = false;
};

class FakeInhibition : public IdleInhibition {
public:
    bool inhibited() override { return held; }
    bool held = false;
};

class IdleStarterTest : public ::testing::Test {
protected:
    IdleStarterTest() { test::saverFormTestApp(); }
    // Korvid writes the value into the hive file; the starter must read it from there.
    void saverSwitch(const char* data) {
        HiveRegistry(hive, nullptr, std::nullopt)
            .SetRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveActive",
                               data);
    }

    test::TestFolder folder;
    QString hive = folder.file("registry.hive");
    HiveRegistry registry{hive, nullptr, std::nullopt};
    FakeIdleSource source;
    FakeRunner runner;
    FakeInhibition inhibition;
    saver::IdleStarter starter{source, runner, registry, inhibition, "/opt/Lumera屏保", 600s};
};

} // namespace

TEST_F(IdleStarterTest, OnceAnIdlePeriodAndNeverWhileItsSaverRuns) {
    emit source.idled();
    EXPECT_EQ(runner.started, QStringList{"/opt/Lumera屏保"}); // no mode: the rotation
    emit source.resumed();
    emit source.idled(); // the saver still runs
    EXPECT_EQ(runner.started.size(), 1);
    runner.end();
    EXPECT_EQ(source.rechecks, 1); // its end is the moment to ask again
    EXPECT_EQ(runner.started.size(), 1);
    starter.retryNow(); // nothing new without a new period
    EXPECT_EQ(runner.started.size(), 1);
    emit source.resumed();
    emit source.idled();
    EXPECT_EQ(runner.started.size(), 2);
    EXPECT_FALSE(starter.retryPending());
}

TEST_F(IdleStarterTest, KeptBackByKorvidOrTheDesktopItTriesAgainInTheSamePeriodOnly) {
    saverSwitch("0");
    emit source.idled();
    EXPECT_TRUE(runner.started.isEmpty());
    ASSERT_TRUE(starter.retryPending());
    starter.retryNow(); // still off
    EXPECT_TRUE(runner.started.isEmpty());
    EXPECT_TRUE(starter.retryPending());
    saverSwitch("1"); // the main window closed
    starter.retryNow();
    EXPECT_EQ(runner.started.size(), 1);
    EXPECT_FALSE(starter.retryPending());
    runner.end();

    emit source.resumed();
    inhibition.held = true;
    emit source.idled();
    EXPECT_EQ(runner.started.size(), 1);
    EXPECT_TRUE(starter.retryPending());
    emit source.resumed(); // the user is back: the period is over
    EXPECT_FALSE(starter.retryPending());
    inhibition.held = false;
    starter.retryNow();
    EXPECT_EQ(runner.started.size(), 1);
}
