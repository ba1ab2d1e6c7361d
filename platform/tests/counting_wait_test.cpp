#include "platform/counting_wait.h"
#include "platform/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A clock that moves by one tick at every reading, as a busy loop would see
// it, and by any amount of work between the waits. Blocking moves it to the
// asked moment plus the timer's lag; it counts the ticks blocked and the
// readings (each one a tick of spinning).
class FakeClock : public desk::TickClock {
  public:
    std::int64_t now = 1000;
    std::int64_t lag = 0;
    std::int64_t blocked = 0;
    std::int64_t reads = 0;
    std::int64_t ticks() override {
        ++reads;
        return now++;
    }
    std::int64_t ticksPerSecond() override { return 10'000'000; }
    void blockUntil(std::int64_t deadline) override {
        const std::int64_t wake = std::max(now, deadline + lag);
        blocked += wake - now;
        now = wake;
    }
};

TEST(CountingWait, EachWaitEndsOneLengthAfterThePreviousEndOrAfterItsOwnStart) {
    // 10 MHz ticks and 21 million counts per second: 70000 counts last
    // 33333.3 ticks, 700000 counts 333333.3, one count less than a tick. The
    // last 2000 ticks (0.2 ms) are spun, what lies before them is blocked; a
    // wait may fall up to 1,000,000 ticks (100 ms) behind and still catch up.
    struct Case {
        const char* what;
        std::int64_t workBefore; // ticks since the previous wait ended
        std::int32_t counts;
        bool fromNow;
        bool chained; // the end counts from the previous end, else from the start
        std::int64_t length;
        std::int64_t lag;     // how late the timer wakes
        std::int64_t blocked; // ticks the wait let the processor go
        std::int64_t lateBy;  // how long after its end the wait returns
    };
    const Case cases[] = {
        {"work shorter than the wait", 5000, 70000, false, true, 33333, 0, 26332, 0},
        {"no work at all", 0, 70000, false, true, 33333, 0, 31332, 0},
        {"work as long as the wait", 33333, 70000, false, true, 33333, 0, 0, 0},
        {"work longer than the wait: made up at once", 33334, 70000, false, true, 33333, 0, 0, 0},
        {"100 ms behind: still made up", 1033333, 70000, false, true, 33333, 0, 0, 0},
        {"further behind: again from now", 1033334, 70000, false, false, 33333, 0, 31332, 0},
        {"play just resumed", 5000, 70000, true, false, 33333, 0, 31332, 0},
        {"a longer wait after a short one", 5000, 700000, false, true, 333333, 0, 326332, 0},
        {"one count, shorter than a tick", 0, 1, false, false, 0, 0, 0, 0},
        {"the timer wakes past the end", 5000, 70000, false, true, 33333, 3000, 29332, 1000},
    };
    for (const Case& k : cases) {
        FakeClock clock;
        desk::CountingWait wait(clock, 21'000'000);
        wait.run(70000, false);
        EXPECT_EQ(wait.lastEnd(), 1000 + 33333) << "the first wait counts from its start";
        const std::int64_t previousEnd = wait.lastEnd();
        clock.now = previousEnd + k.workBefore;
        clock.lag = k.lag;
        clock.blocked = 0;
        clock.reads = 0;
        const std::int64_t start = clock.now;
        wait.run(k.counts, k.fromNow);
        const std::int64_t end = (k.chained ? previousEnd : start) + k.length;
        EXPECT_EQ(wait.lastEnd(), end) << k.what;
        EXPECT_EQ(clock.now, std::max(end, start) + k.lateBy + 1)
            << k.what << ": returned at its end";
        EXPECT_EQ(clock.blocked, k.blocked) << k.what;
        EXPECT_LE(clock.reads, 2000 + 3) << k.what << ": spun longer than the last 0.2 ms";
    }
}

TEST(CountingWait, NoCountsNeitherWaitNorMoveTheChain) {
    FakeClock clock;
    desk::CountingWait wait(clock, 21'000'000);
    wait.run(70000, false);
    const std::int64_t end = wait.lastEnd();
    clock.blocked = 0;
    for (std::int32_t counts : {0, -5}) {
        const std::int64_t before = clock.now;
        wait.run(counts, false);
        EXPECT_EQ(clock.now, before) << counts << " counts read the clock";
        EXPECT_EQ(clock.blocked, 0);
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
