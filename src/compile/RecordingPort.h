#pragma once
// A port that records everything the core does with it; used by tests, the
// benchmark and the desktop program's start-up.

#include <cstdint>
#include <string>
#include <vector>

#include "compile/Port.h"

namespace tarnwell {

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

    // What happened.
    std::vector<Status> statuses;
    std::vector<BeepEvent> beeps;
    std::vector<std::string> warnings;
    int eventsLetThrough = 0;
    std::string currentStatus;

    void SetStatus(std::string_view text, StatusKind kind) override {
        currentStatus = std::string(text);
        if (kind == StatusKind::Step || recordProgress) statuses.push_back({currentStatus, kind});
    }
    void DoEvents() override { ++eventsLetThrough; }
    void Beep(BeepKind kind, std::string_view reason) override { beeps.push_back({kind, std::string(reason)}); }
    void Warn(std::string_view text) override { warnings.emplace_back(text); }
    std::uint32_t GetTickCount() override { return ticks; }

    std::vector<std::string> StatusTexts() const {
        std::vector<std::string> out;
        for (const auto& s : statuses) out.push_back(s.text);
        return out;
    }
};

}  // namespace tarnwell
