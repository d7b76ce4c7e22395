#pragma once
// What the user asks for: the values of the main window's text boxes and
// dialogs, or of the command line's arguments.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarnwell {

inline constexpr const char* ProgramName = "Tarnwell";

// The message boxes shown before the timetable is asked for.
inline constexpr const char* CompileTimetablePrompt = "Select the .KRX file you will be compiling.";
inline constexpr const char* MergeTimetablePrompt =
    "Select the .KRX file you will be adding the real world airline data to.";

// "3.  Compile Schedule": the texts as typed (UTF-8) and the chosen timetable.
struct CompileRequest {
    std::string setName;      // the route set: the folder Data/<setName>
    std::string airlineCode;  // the compiled airline's code, cut to 3 characters
    std::string airlineName;  // its name, cut to 39 characters
    std::filesystem::path timetable;
    int jobs = 0;  // threads building flight plans; 0 for one per hardware thread
};

// "2.  Get Real World Airline Data": the chosen timetable (nothing when the
// user cancelled the file dialog) and the chosen real-world airlines, as
// RealAirlines item numbers in the picker's order.
struct MergeRequest {
    std::optional<std::filesystem::path> timetable;
    std::vector<std::int32_t> chosenAirlines;
};

}  // namespace tarnwell
