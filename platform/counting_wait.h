// A busy counting wait kept by a clock: each count ends at its own deadline,
// so that a wait of N counts lasts N count durations on every machine, and
// waits that follow each other keep that pace even when other work runs
// between them.
#pragma once

#include <cstdint>

namespace desk {

// A monotonic clock read in ticks (QueryPerformanceCounter on Win32; a fake
// in the tests).
class TickClock {
  public:
    virtual ~TickClock() = default;
    virtual std::int64_t ticks() = 0;
    virtual std::int64_t ticksPerSecond() = 0;
};

class CountingWait {
  public:
    // One count lasts 1 / countsPerSecond seconds.
    CountingWait(TickClock& clock, std::int64_t countsPerSecond)
        : clock_(clock), countsPerSecond_(countsPerSecond > 0 ? countsPerSecond : 1) {}

    // Counts a variable from 0 upwards while it is below `counts`; count k
    // (from 1) ends when the clock reaches base + k count durations. The base
    // is where the previous wait ended, so that one wait's end follows the
    // previous one's by exactly its length, whatever ran in between; it is
    // the moment this wait begins instead when `fromNow` is set, for the
    // first wait, and when the previous end lies more than this wait's
    // length back (the work in between took longer than the wait itself).
    void run(std::int32_t counts, bool fromNow);

    // The clock reading at which the last wait ended (its last deadline).
    std::int64_t lastEnd() const { return lastEnd_; }

  private:
    TickClock& clock_;
    std::int64_t countsPerSecond_;
    std::int64_t lastEnd_ = 0;
    bool chained_ = false;
};

} // namespace desk
