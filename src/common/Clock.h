#pragma once
// The millisecond tick counter the airway search measures its time limit by.
// Each search worker reads its own clock, which a ClockSource gives it.

#include <cstdint>
#include <memory>

namespace tarnwell {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start, wrapping like a 32-bit counter.
    virtual std::uint32_t GetTickCount() = 0;
};

class ClockSource {
public:
    virtual ~ClockSource() = default;
    // A clock for one worker, read by that worker only.
    virtual std::unique_ptr<Clock> NewClock() = 0;
};

}  // namespace tarnwell
