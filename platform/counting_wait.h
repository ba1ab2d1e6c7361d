// A counting wait kept by a clock: each count ends at its own deadline, so
// that a wait of N counts lasts N count durations on every machine, and waits
// that follow each other keep that pace even when other work runs between
// them. The wait lets the processor go while its end is far and spins on the
// clock only for the last moment before it.
#pragma once

#include <cstdint>

namespace desk {

// A monotonic clock read in ticks (QueryPerformanceCounter on Win32; a fake
// in the tests), with a way of blocking the calling thread until a reading.
class TickClock {
  public:
    virtual ~TickClock() = default;
    virtual std::int64_t ticks() = 0;
    virtual std::int64_t ticksPerSecond() = 0;
    // Lets the processor go until the clock reads about `deadline`. It may
    // return somewhat late (the system timer's lag) or early; the caller
    // reads the clock again afterwards.
    virtual void blockUntil(std::int64_t deadline) = 0;
};

class CountingWait {
  public:
    // The timer behind TickClock::blockUntil wakes its thread up to this long
    // after the asked moment at best (measured under Wine 8: 0.1 to 0.2 ms for
    // a high-resolution waitable timer asked whole milliseconds, more when
    // it rounds a part of one up), so the wait blocks until this long before
    // its end and spins on the clock from there.
    static constexpr std::int64_t kSpinMicroseconds = 200;
    // A wait that starts further behind its chained end than this starts
    // again from now instead of catching up.
    static constexpr std::int64_t kCatchUpMilliseconds = 100;

    // One count lasts 1 / countsPerSecond seconds.
    CountingWait(TickClock& clock, std::int64_t countsPerSecond)
        : clock_(clock), countsPerSecond_(countsPerSecond > 0 ? countsPerSecond : 1) {}

    // Counts a variable from 0 upwards while it is below `counts`; count k
    // (from 1) ends no sooner than the clock reaches base + k count durations.
    // The base is where the previous wait ended, so that one wait's end
    // follows the previous one's by exactly its length whatever ran in
    // between: a frame that came late is made up by the waits after it. The
    // base is the moment this wait begins instead when `fromNow` is set (the
    // first wait of a stretch of play), and when the chained end already
    // lies more than kCatchUpMilliseconds in the past.
    // While the end is more than kSpinMicroseconds away the thread blocks.
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
