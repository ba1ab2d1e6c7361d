#include "platform/counting_wait.h"
#include "platform/geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CountingWait, SpinsNeverDropToZero) {
    desk::CountingWait w;
    w.setSpinsPerCount(0);
    EXPECT_EQ(w.spinsPerCount(), 1u);
    w.calibrate(0.0);
    EXPECT_GE(w.spinsPerCount(), 1u);
}

TEST(CountingWait, LongerCountsNeedMoreSpins) {
    desk::CountingWait shortCount;
    desk::CountingWait longCount;
    shortCount.calibrate(1.0);
    longCount.calibrate(10'000.0);
    EXPECT_GT(longCount.spinsPerCount(), shortCount.spinsPerCount());
}

TEST(CountingWait, ZeroAndNegativeCountsReturn) {
    desk::CountingWait w;
    w.setSpinsPerCount(1'000'000);
    w.run(0);
    w.run(-5);
    SUCCEED();
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
