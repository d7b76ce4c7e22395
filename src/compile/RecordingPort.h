#pragma once
// A port that records everything the core does with it; used by tests, the
// benchmark and the desktop program's start-up.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Cancellation.h"
#include "compile/Port.h"

namespace tarnwell {

// A clock that always reads the same.
class StillClock : public Clock {
public:
    explicit StillClock(std::uint32_t ticks) : ticks_(ticks) {}
    std::uint32_t GetTickCount() override { return ticks_; }

private:
    std::uint32_t ticks_;
};

class RecordingPort : public Port {
public:
    struct Status {
        std::string text;
        StatusKind kind;
    };
    struct BeepEvent {
        BeepKind kind;
        std::string reason;
    };

    std::uint32_t ticks = 0;  // what the clock reads
    bool recordProgress = true;
    // Stops the work (throws WorkCancelled) at the count with this number
    // (from 1), as a front end's Cancel would at that progress point.
    std::optional<std::size_t> cancelAtCount;

    // What happened.
    std::vector<Status> statuses;
    std::vector<BeepEvent> beeps;
    std::vector<std::string> warnings;
    struct Count {
        std::string work;
        std::int64_t done, total;
    };
    std::vector<Count> counts;
    int eventsLetThrough = 0;
    std::string currentStatus;

    void SetStatus(std::string_view text, StatusKind kind) override {
        currentStatus = std::string(text);
        if (kind == StatusKind::Step || recordProgress) statuses.push_back({currentStatus, kind});
    }
    void DoEvents() override { ++eventsLetThrough; }
    void Beep(BeepKind kind, std::string_view reason) override { beeps.push_back({kind, std::string(reason)}); }
    void Warn(std::string_view text) override { warnings.emplace_back(text); }
    // Clocks that stand still at `ticks` (so no airway search runs out of time).
    std::unique_ptr<Clock> NewClock() override { return std::make_unique<StillClock>(ticks); }
    void Advance(std::string_view work, std::int64_t done, std::int64_t total) override {
        counts.push_back({std::string(work), done, total});
        if (cancelAtCount && counts.size() >= *cancelAtCount) throw WorkCancelled();
    }

    bool MayCancel() const override { return cancelAtCount.has_value(); }

    std::vector<std::string> StatusTexts() const {
        std::vector<std::string> out;
        for (const auto& s : statuses) out.push_back(s.text);
        return out;
    }
};

}  // namespace tarnwell
