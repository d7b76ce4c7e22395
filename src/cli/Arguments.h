#pragma once
// The command line's arguments, understood once for every command.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarnwell::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
inline constexpr int MaxJobs = 256;  // the most threads --jobs may ask for

struct Arguments {
    std::optional<std::filesystem::path> root;
    std::optional<std::filesystem::path> statusLog;
    bool verbose = false;
    bool quiet = false;  // errors only: no status texts, warnings or summaries
    bool help = false;
    bool version = false;
    std::vector<std::string> positional;
    std::optional<std::string> setName, airlineCode, airlineName;
    std::optional<int> jobs;  // --jobs: threads building flight plans
    std::vector<std::string> realWorldAirlines;
    std::optional<std::filesystem::path> xplane;
    std::optional<std::array<double, 4>> region;
    bool strict = false;
    // map: the picture to write, the city pairs whose plans it shows
    // (ORIGIN-DEST, comma-separated, repeatable) and its size.
    std::optional<std::filesystem::path> out;
    std::vector<std::string> plans;
    std::optional<std::string> size;
    // plan: every city pair (--all), the .fms file of one plan (--fms) or
    // the folder of one .fms file per plan (--fms-dir).
    bool all = false;
    std::optional<std::filesystem::path> fms, fmsDir;
    // import-timetable: the flight and airport exports it reads (--out is
    // the timetable it writes).
    std::optional<std::filesystem::path> phpvmsFlights, phpvmsAirports;
};

// Reads the arguments (UTF-8, the program's name left out); an error
// message, or nothing when they were understood. After a fault the rest is
// still read, so that the command is known for the hint.
std::optional<std::string> Parse(const std::vector<std::string>& args, Arguments& a);

// A path named on the command line: its UTF-8 text as a path, so that it
// names the same file on every system.
std::filesystem::path PathArg(const std::string& text);

// The program folder: --root, else $TARNWELL_ROOT, else the current folder.
std::filesystem::path ProgramFolder(const Arguments& a);

// Says what is wrong with the command line, and where the help of the
// command given (or the whole help) is; gives the usage exit status.
int UsageError(const Arguments& a, const std::string& message);

// The options only compile takes, refused by the other commands: the exit
// status of the refusal, or nothing.
std::optional<int> RefuseCompileOptions(const Arguments& a, const std::string& command);

}  // namespace tarnwell::cli
