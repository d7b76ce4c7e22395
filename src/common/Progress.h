#pragma once
// What a long piece of work tells its surroundings while it runs: the status
// text, a chance to let window events through, warnings and beeps. Domain
// code takes a Progress& and never knows which front end listens.

#include <cstdint>
#include <string_view>

namespace tarnwell {

enum class StatusKind {
    Step,      // the fixed text a step shows while it runs
    Progress,  // a counting text a long step shows in between
};

enum class BeepKind {
    Finished,  // a piece of work has finished (the compile, its airport information)
    Warning,   // something was missing; the reason says what
};

class Progress {
public:
    virtual ~Progress() = default;

    // Sets the status line and shows it at once.
    virtual void SetStatus(std::string_view text, StatusKind kind) = 0;
    // Lets pending window events through.
    virtual void DoEvents() = 0;
    // Sounds the system beep; `reason` is for front ends that can show it.
    virtual void Beep(BeepKind kind, std::string_view reason) = 0;
    // A warning that has no beep of its own (for example at start-up).
    virtual void Warn(std::string_view text) = 0;
    // How far a long piece of work has come: `done` of `total` items, from
    // 0 of total at its start to total of total at its end. For progress
    // bars and estimates of the time left; front ends that show none ignore it.
    virtual void Advance(std::string_view work, std::int64_t done, std::int64_t total) {
        (void)work, (void)done, (void)total;
    }
    // Whether this front end may stop the work part way (by throwing
    // WorkCancelled at a progress point). Work that must then undo what it
    // wrote in place prepares for that only when it may happen.
    virtual bool MayCancel() const { return false; }
};

}  // namespace tarnwell
