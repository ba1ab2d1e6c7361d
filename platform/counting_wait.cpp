#include "platform/counting_wait.h"

namespace desk {

void CountingWait::run(std::int32_t counts, bool fromNow) {
    if (counts <= 0) {
        return;
    }
    const std::int64_t perSecond = clock_.ticksPerSecond();
    // Whole ticks per count and the remainder: each deadline is exact, and
    // reaching the next one costs an addition, not a division.
    const std::int64_t whole = perSecond / countsPerSecond_;
    const std::int64_t part = perSecond % countsPerSecond_;
    const std::int64_t length = counts / countsPerSecond_ * perSecond +
                                counts % countsPerSecond_ * perSecond / countsPerSecond_;
    const std::int64_t catchUp = perSecond * kCatchUpMilliseconds / 1000;
    const std::int64_t spin = perSecond * kSpinMicroseconds / 1000000;
    std::int64_t now = clock_.ticks();
    std::int64_t deadline = lastEnd_;
    // A clock behind the previous end (another clock, or one that jumped) is
    // no base either.
    if (fromNow || !chained_ || now - (lastEnd_ + length) > catchUp || now < lastEnd_) {
        deadline = now;
    }
    const std::int64_t end = deadline + length;
    if (end - now > spin) {
        clock_.blockUntil(end - spin);
        now = clock_.ticks();
    }
    // The counts whose deadlines have passed end at once; the rest each wait
    // for their own.
    std::int64_t carry = 0;
    for (volatile std::int32_t i = 0; i < counts; i = i + 1) {
        deadline += whole;
        carry += part;
        if (carry >= countsPerSecond_) {
            carry -= countsPerSecond_;
            deadline += 1;
        }
        while (now < deadline) {
            now = clock_.ticks();
        }
    }
    lastEnd_ = deadline;
    chained_ = true;
}

} // namespace desk
