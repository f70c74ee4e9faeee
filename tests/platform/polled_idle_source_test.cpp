#include "platform/idle/PolledIdleSource.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace lumera;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

} // namespace

TEST(PolledIdleSource, AsksOnlyWhenTheIdleTimeCanBeUpAndTellsEachPeriodOnce) {
    QCoreApplication app(argc, argv);
    std::optional<milliseconds> since = 4s;
    PolledIdleSource source([&] { return since; });
    int idled = 0, resumed = 0;
    QObject::connect(&source, &IdleSource::idled, [&] { ++idled; });
    QObject::connect(&source, &IdleSource::resumed, [&] { ++resumed; });
    const auto near = [](milliseconds got, milliseconds want) {
        return got >= want - 100ms && got <= want + 100ms;
    };

    ASSERT_TRUE(source.watch(10s));
    EXPECT_EQ(idled, 0);
    EXPECT_PRED2(near, source.nextCheckIn(), 6s); // not before the rest is up
    since = 10s;
    source.recheck();
    EXPECT_EQ(idled, 1);
    EXPECT_PRED2(near, source.nextCheckIn(), 10s); // idle: once an idle time
    since = 25s;                                   // the same period, longer
    source.recheck();
    EXPECT_EQ(idled, 1);
    EXPECT_EQ(resumed, 0);
    since = 1s; // the user came back
    source.recheck();
    EXPECT_EQ(resumed, 1);
    EXPECT_EQ(idled, 1);
    EXPECT_PRED2(near, source.nextCheckIn(), 9s);
    since = 12s; // back and idle again between two looks: a new period
    source.recheck();
    source.recheck();
    EXPECT_EQ(idled, 2);
    EXPECT_EQ(resumed, 1);

    since.reset();
    PolledIdleSource blind([&] { return since; });
    EXPECT_FALSE(blind.watch(10s)); // no X server, or no extension
}
