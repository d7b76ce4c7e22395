#pragma once
// The command line's port: status texts on stderr (one updating line on a
// terminal, otherwise one line per step), warnings as "warning:" lines, and
// an optional log of every status text.

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "compile/Port.h"
#include "common/TickClock.h"

namespace tarnwell {

struct CliOptions {
    std::string airlineIATA;
    std::string airlineNAME;
    std::string setName;
    std::filesystem::path timetable;
    std::vector<std::int32_t> chosenAirlines;  // RealAirlines item numbers, as the picker gives them
    bool verbose = false;
    bool terminal = false;  // stderr is a terminal
};

class CliPort : public Port {
public:
    explicit CliPort(CliOptions options);
    ~CliPort() override;

    // Writes every status text, one per line, to `path`; false when it cannot be created.
    bool OpenStatusLog(const std::filesystem::path& path);
    // The airlines the merge takes, once the airline list is loaded.
    void SetChosenAirlines(std::vector<std::int32_t> itemNumbers) { options_.chosenAirlines = std::move(itemNumbers); }
    // Ends the updating terminal line so that normal output can follow.
    void EndStatusLine();

    void SetStatus(std::string_view text, StatusKind kind) override;
    void DoEvents() override {}
    void Beep(BeepKind kind, std::string_view reason) override;
    void Warn(std::string_view text) override;
    std::string AirlineIATA() override { return options_.airlineIATA; }
    std::string AirlineNAME() override { return options_.airlineNAME; }
    std::string SetName() override { return options_.setName; }
    std::vector<std::int32_t> ChosenAirlines() override { return options_.chosenAirlines; }
    void ShowMessage(std::string_view text, std::string_view title) override;
    std::optional<std::filesystem::path> AskFilePath(const std::filesystem::path& startFolder) override;
    std::uint32_t GetTickCount() override { return ticks_.GetTickCount(); }

private:
    void ShowOnTerminal(std::string_view text, bool force);

    CliOptions options_;
    std::ofstream statusLog_;
    bool lineOpen_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
    TickClock ticks_;
};

}  // namespace tarnwell
