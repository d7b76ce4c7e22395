#pragma once
// Stopping a long piece of work from outside. The front end requests it; the
// work's Progress throws WorkCancelled at its next progress point, and the
// driver that ran the work turns that into a cancelled outcome. Steps never
// catch it (it is no TarnwellError), so it always reaches the driver.

#include <atomic>
#include <exception>

namespace tarnwell {

class WorkCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "the work was cancelled"; }
};

// A request to stop, shared between the thread that asks and the one that works.
class CancelRequest {
public:
    void Request() noexcept { requested_.store(true); }
    void Reset() noexcept { requested_.store(false); }
    bool Requested() const noexcept { return requested_.load(); }
    // Called by the work at a progress point.
    void ThrowIfRequested() const {
        if (Requested()) throw WorkCancelled();
    }

private:
    std::atomic<bool> requested_{false};
};

}  // namespace tarnwell
