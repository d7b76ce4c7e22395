#pragma once
// The millisecond tick counter the airway search measures its time limit by.
// Each search worker reads its own clock.

#include <cstdint>

namespace tarnwell {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start, wrapping like a 32-bit counter.
    virtual std::uint32_t GetTickCount() = 0;
};

}  // namespace tarnwell
