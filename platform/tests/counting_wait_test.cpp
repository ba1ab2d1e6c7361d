#include "platform/counting_wait.h"
#include "platform/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A clock that moves by one tick at every reading, as a busy loop would see
// it, and by any amount of work between the waits.
class FakeClock : public desk::TickClock {
  public:
    std::int64_t now = 1000;
    std::int64_t ticks() override { return now++; }
    std::int64_t ticksPerSecond() override { return 10'000'000; }
};

TEST(CountingWait, EachWaitEndsOneLengthAfterThePreviousEndOrAfterItsOwnStart) {
    // 10 MHz ticks and 21 million counts per second: 70000 counts last
    // 33333.3 ticks, 700000 counts 333333.3, one count less than a tick.
    struct Case {
        const char* what;
        std::int64_t workBefore; // ticks since the previous wait ended
        std::int32_t counts;
        bool fromNow;
        bool chained; // the end counts from the previous end, else from the start
        std::int64_t length;
    };
    const Case cases[] = {
        {"work shorter than the wait", 5000, 70000, false, true, 33333},
        {"no work at all", 0, 70000, false, true, 33333},
        {"work as long as the wait", 33333, 70000, false, true, 33333},
        {"work longer than the wait", 33334, 70000, false, false, 33333},
        {"play just resumed", 5000, 70000, true, false, 33333},
        {"a longer wait after a short one", 5000, 700000, false, true, 333333},
        {"one count, shorter than a tick", 0, 1, false, false, 0},
    };
    for (const Case& k : cases) {
        FakeClock clock;
        desk::CountingWait wait(clock, 21'000'000);
        wait.run(70000, false);
        EXPECT_EQ(wait.lastEnd(), 1000 + 33333) << "the first wait counts from its start";
        const std::int64_t previousEnd = wait.lastEnd();
        clock.now = previousEnd + k.workBefore;
        const std::int64_t start = clock.now;
        wait.run(k.counts, k.fromNow);
        const std::int64_t end = (k.chained ? previousEnd : start) + k.length;
        EXPECT_EQ(wait.lastEnd(), end) << k.what;
        EXPECT_EQ(clock.now, std::max(end, start) + 1) << k.what << ": returned at its end";
    }
}

TEST(CountingWait, NoCountsNeitherWaitNorMoveTheChain) {
    FakeClock clock;
    desk::CountingWait wait(clock, 21'000'000);
    wait.run(70000, false);
    const std::int64_t end = wait.lastEnd();
    for (std::int32_t counts : {0, -5}) {
        const std::int64_t before = clock.now;
        wait.run(counts, false);
        EXPECT_EQ(clock.now, before) << counts << " counts read the clock";
        EXPECT_EQ(wait.lastEnd(), end);
    }
}

TEST(Colour, ChannelsRoundTrip) {
    constexpr desk::Colour c = desk::Rgb(240, 240, 10);
    static_assert(c == 0x000AF0F0u, "0x00BBGGRR layout");
    EXPECT_EQ(desk::RedOf(c), 240);
    EXPECT_EQ(desk::GreenOf(c), 240);
    EXPECT_EQ(desk::BlueOf(c), 10);
    EXPECT_EQ(desk::Rgb(256 + 1, -1, 0), desk::Rgb(1, 255, 0)) << "each channel keeps 8 bits";
}

} // namespace
