#pragma once
// The millisecond tick counter of the front ends: a monotonic clock, read
// afresh every few calls. The airway search asks for the time at every leg it
// considers; a millisecond counter that lags by a few dozen calls (well under
// a millisecond) measures its 3-second limit just as well and costs a
// fraction of a clock read per call.

#include <chrono>
#include <cstdint>

#include "common/Clock.h"

namespace tarnwell {

class TickClock : public Clock {
public:
    std::uint32_t GetTickCount() override {
        if (readsLeft_-- == 0) {
            readsLeft_ = ReadsPerRefresh - 1;
            const auto elapsed = std::chrono::steady_clock::now() - start_;
            last_ = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
        }
        return last_;
    }

private:
    static constexpr int ReadsPerRefresh = 32;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    int readsLeft_ = 0;
    std::uint32_t last_ = 0;
};

}  // namespace tarnwell
