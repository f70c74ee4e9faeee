#include "platform/idle/IdleInhibition.h"
#include "platform/idle/IdleSource.h"
#include "saver/idle/IdleStarter.h"
#include "support/FakeCommandRunner.h"
#include "tests/saver/SaverTestApp.h"

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

class FakeInhibition : public IdleInhibition {
public:
    bool inhibited() override { return held; }
    bool held = false;
};

class IdleStarterTest : public ::testing::Test {
protected:
    IdleStarterTest() { test::saverFormTestApp(); }

    FakeIdleSource source;
    FakeCommandRunner runner;
    // A program's through the served name, and the desktop's.
    FakeInhibition program;
    FakeInhibition desktop;
    saver::IdleStarter starter{source, runner, {&program, &desktop}, "/opt/Lumera屏保", 600s};
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

TEST_F(IdleStarterTest, KeptBackByAnInhibitionItTriesAgainInTheSamePeriodOnly) {
    program.held = true;
    emit source.idled();
    EXPECT_TRUE(runner.started.isEmpty());
    ASSERT_TRUE(starter.retryPending());
    starter.retryNow(); // still held
    EXPECT_TRUE(runner.started.isEmpty());
    EXPECT_TRUE(starter.retryPending());
    program.held = false; // the film ended: the look it asks for starts the saver
    starter.retryNow();
    EXPECT_EQ(runner.started.size(), 1);
    EXPECT_FALSE(starter.retryPending());
    starter.retryNow(); // the next inhibition ending does not start a second one
    EXPECT_EQ(runner.started.size(), 1);
    runner.end();

    emit source.resumed();
    desktop.held = true;
    emit source.idled();
    EXPECT_EQ(runner.started.size(), 1);
    EXPECT_TRUE(starter.retryPending());
    emit source.resumed(); // the user is back: the period is over
    EXPECT_FALSE(starter.retryPending());
    desktop.held = false;
    starter.retryNow();
    EXPECT_EQ(runner.started.size(), 1);
}

TEST_F(IdleStarterTest, ActivityAProgramReportsKeepsTheSaverAwayForAnIdleTime) {
    starter.userActive();
    emit source.idled(); // the desktop's own count knows nothing of it
    EXPECT_TRUE(runner.started.isEmpty());
    EXPECT_TRUE(starter.retryPending());
    emit source.resumed();
    emit source.idled();
    starter.retryNow();
    EXPECT_TRUE(runner.started.isEmpty());
}
