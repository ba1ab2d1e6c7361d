#include "platform/counting_wait.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace desk {

namespace {

volatile std::uint32_t g_spinSink = 0;

void Spin(std::uint32_t spins) {
    for (std::uint32_t k = 0; k < spins; ++k) {
        g_spinSink = g_spinSink + 1;
    }
}

} // namespace

void CountingWait::calibrate(double nanosecondsPerCount) {
    using Clock = std::chrono::steady_clock;
    constexpr std::uint32_t kProbeSpins = 2'000'000;
    double best = 1e30;
    // The fastest of a few runs is the one least disturbed by other work.
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        Spin(kProbeSpins);
        const auto stop = Clock::now();
        const double ns = std::chrono::duration<double, std::nano>(stop - start).count();
        best = std::min(best, ns / kProbeSpins);
    }
    if (best <= 0.0) {
        best = 1.0;
    }
    const double spins = std::round(nanosecondsPerCount / best);
    setSpinsPerCount(static_cast<std::uint32_t>(std::clamp(spins, 1.0, 1.0e6)));
}

void CountingWait::run(std::int32_t counts) const {
    for (volatile std::int32_t i = 0; i < counts; i = i + 1) {
        Spin(spinsPerCount_);
    }
}

} // namespace desk
