#pragma once
// When an unsaved note takes its recovery copy: once the typing pauses for a second, and at
// least every nine seconds while it goes on, so that a copy is never more than about two (and,
// while typing goes on, ten) seconds behind; never more often than once a second, and for a
// large note no more often than ten times what taking the last copy cost the note's own thread.
// Times are milliseconds on any steady clock. Needs no operating system.
#include <algorithm>
#include <cstdint>

namespace recovery {

class CopySchedule {
public:
    static constexpr std::uint64_t kPause = 1000;   // quiet after the last change
    static constexpr std::uint64_t kLongest = 9000; // behind the first change not yet copied
    static constexpr std::uint64_t kShortestGap = 1000;
    static constexpr std::uint64_t kCostFactor = 10;
    static constexpr std::uint64_t kRetryGap = 5000; // after a copy that could not be written

    // The note's text changed.
    void Changed(std::uint64_t now) {
        if (!pending_) firstChange_ = now;
        pending_ = true;
        lastChange_ = now;
    }
    // A copy of the text as it is now was taken; taking it cost the note's thread `cost`.
    void Copied(std::uint64_t now, std::uint64_t cost) {
        pending_ = false;
        lastCopy_ = now;
        gap_ = std::max(kShortestGap, cost * kCostFactor);
        copiedOnce_ = true;
    }
    // The copy taken last could not be written: another falls due as soon as the gap after a
    // failure allows, whatever the typing does meanwhile.
    void Failed(std::uint64_t now) {
        if (!pending_) firstChange_ = now > kLongest ? now - kLongest : 0;
        pending_ = true;
        lastCopy_ = now;
        copiedOnce_ = true;
        gap_ = std::max(gap_, kRetryGap);
    }
    // The note has nothing left to copy (it was saved, say).
    void Clear() { pending_ = false; }

    bool Pending() const { return pending_; }
    bool Due(std::uint64_t now) const {
        if (!pending_) return false;
        if (copiedOnce_ && now - lastCopy_ < gap_) return false;
        return now - lastChange_ >= kPause || now - firstChange_ >= kLongest;
    }

private:
    bool pending_ = false;
    bool copiedOnce_ = false;
    std::uint64_t firstChange_ = 0, lastChange_ = 0, lastCopy_ = 0;
    std::uint64_t gap_ = kShortestGap;
};

} // namespace recovery
