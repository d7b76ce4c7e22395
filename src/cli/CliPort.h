#pragma once
// The command line's port: status texts on stderr (one updating line on a
// terminal, otherwise one line per step), the count and time left of long
// work (on that line, otherwise a line per tenth), warnings as "warning:"
// lines, and an optional log of every status text. Quiet, it prints none of
// these (the log is still written).

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "cli/Arguments.h"
#include "common/ProgressLine.h"
#include "common/TickClock.h"
#include "compile/Port.h"

namespace tarnwell::cli {

struct CliOptions {
    bool verbose = false;
    bool quiet = false;
    bool terminal = false;  // stderr is a terminal
};

class CliPort : public Port {
public:
    explicit CliPort(CliOptions options);
    ~CliPort() override;

    // Writes every status text, one per line, to `path`; false when it cannot be created.
    bool OpenStatusLog(const std::filesystem::path& path);
    // Ends the updating terminal line so that normal output can follow.
    void EndStatusLine();
    // A message the desktop program shows in a box: printed with --verbose only.
    void ShowMessage(std::string_view text);

    void SetStatus(std::string_view text, StatusKind kind) override;
    void DoEvents() override {}
    void Beep(BeepKind kind, std::string_view reason) override;
    void Warn(std::string_view text) override;
    void Advance(std::string_view work, std::int64_t done, std::int64_t total) override;
    std::unique_ptr<Clock> NewClock() override { return std::make_unique<TickClock>(); }

private:
    void ShowOnTerminal(std::string_view text, bool force);

    CliOptions options_;
    std::ofstream statusLog_;
    bool lineOpen_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
    // The counted work under way: while it runs, its figures take the
    // terminal line instead of its progress texts.
    bool counting_ = false;
    std::chrono::steady_clock::time_point countStart_{};
    TenthsShown tenths_;
};

// The options of the port as the arguments ask: --verbose or --quiet, and
// whether stderr is a terminal.
CliOptions PortOptions(const Arguments& a);

}  // namespace tarnwell::cli
