// A busy counting wait whose single count lasts a fixed, calibrated time, so
// that a wait of N counts takes the same real time on every machine.
#pragma once

#include <cstdint>

namespace desk {

class CountingWait {
  public:
    // Measures this machine once and sets the inner spin so that one count
    // lasts about nanosecondsPerCount. Takes a few milliseconds.
    void calibrate(double nanosecondsPerCount);

    // Counts a variable from 0 upwards while it is below counts. The counter
    // is volatile, so the compiler keeps every iteration.
    void run(std::int32_t counts) const;

    std::uint32_t spinsPerCount() const { return spinsPerCount_; }
    void setSpinsPerCount(std::uint32_t spins) { spinsPerCount_ = spins == 0 ? 1 : spins; }

  private:
    std::uint32_t spinsPerCount_ = 1;
};

} // namespace desk
