#pragma once
// Everything the compile needs from its surroundings: the status line, the
// beep, the main window's text boxes, the airline picker's choice, the file
// dialog, message boxes and the millisecond tick counter. The desktop program
// and the command line each provide one; the tests record what happens.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwell {

enum class StatusKind {
    Step,      // the fixed text a step shows while it runs
    Progress,  // a counting text a long step shows in between
};

enum class BeepKind {
    Finished,  // a piece of work has finished (the compile, its airport information)
    Warning,   // something was missing; the reason says what
};

class Port {
public:
    virtual ~Port() = default;

    // Sets the status line and shows it at once.
    virtual void SetStatus(std::string_view text, StatusKind kind) = 0;
    // Lets pending window events through.
    virtual void DoEvents() = 0;
    // Sounds the system beep; `reason` is for front ends that can show it.
    virtual void Beep(BeepKind kind, std::string_view reason) = 0;
    // A warning that has no beep of its own (for example at start-up).
    virtual void Warn(std::string_view text) = 0;

    // The main window's three text boxes, as typed (UTF-8).
    virtual std::string AirlineIATA() = 0;
    virtual std::string AirlineNAME() = 0;
    virtual std::string SetName() = 0;
    // The airline picker's chosen entries: item numbers in list order.
    virtual std::vector<std::int32_t> ChosenAirlines() = 0;

    // Shows a message box with an OK button and waits for it.
    virtual void ShowMessage(std::string_view text, std::string_view title) = 0;
    // Asks for a file, starting in `startFolder`; nothing when cancelled.
    virtual std::optional<std::filesystem::path> AskFilePath(const std::filesystem::path& startFolder) = 0;

    // Milliseconds from an arbitrary start, wrapping like a 32-bit counter.
    virtual std::uint32_t GetTickCount() = 0;
};

}  // namespace tarnwell
