#pragma once
// The real-world data that ships beside the program: the airline list
// Data/airline.kr1, made from a CSV file, and the real-world route set
// Data/Defaults/Routes.kr1 and index.kr1, compiled from a timetable of real
// flights. The real-world merge picks its airlines and flights from these.

#include <cstddef>
#include <span>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/BinaryIO.h"
#include "records/AirlineRecord.h"
#include "compile/CompileDriver.h"

namespace tarnwell {

struct ProgramState;
class Port;

inline constexpr const char* RealAirlineListName = "airline.kr1";
inline constexpr const char* DefaultRoutesName = "Routes.kr1";
inline constexpr const char* DefaultIndexName = "index.kr1";

// The airlines of an airline CSV: a header row naming the columns code, name
// and extra (any order, any case; other columns are ignored), then one
// airline per row. Fields are separated by commas; a field in double quotes
// may hold commas and line ends, and "" inside it is one quote. Values are
// taken as they are, not trimmed, and cut or padded to the record's widths.
// The text is UTF-8 and is stored in Windows-1252, '?' for a character that
// code page lacks. Empty lines are skipped. Throws TarnwellError naming
// `label` and the line (and column) for: a missing header or column, a row
// with another number of fields than the header, an empty code, a broken
// quote, or no airline at all.
std::vector<AirlineRecord> ParseAirlineCsv(const std::string& label, std::string_view content);

// Writes Data/airline.kr1 from the CSV file and makes it RealAirlines.
// The list is written beside the old one and replaces it only when complete;
// on any error the old list stays as it was. Returns the number of airlines.
std::size_t ImportAirlines(ProgramState& state, const std::filesystem::path& csv);

// Compiles a timetable of real flights into the real-world route set with
// the compile's own steps and status texts, from reading to route miles, and
// writes the routes and index airports into Data/Defaults. The add file
// there is neither read nor removed. The navigation airports must have been
// loaded (start-up does that). Both files are written beside the old ones
// and replace them only when both are complete; a failure leaves the old
// pair in place and reports the step that failed.
CompileOutcome BuildDefaults(ProgramState& state, Port& port, const std::filesystem::path& timetable);

// Where a file is written before it replaces `target` (a hidden name in the
// same folder, so that the replacement is a rename).
std::filesystem::path PendingPath(const std::filesystem::path& target);

struct PendingFile {
    std::filesystem::path target;
    Bytes bytes;
};

// Writes every file beside its target, then renames them over the targets.
// On any failure the written ones are removed and the targets stay as they
// were (a failing rename after an earlier one succeeded is not undone).
void ReplaceFiles(std::span<const PendingFile> files);

}  // namespace tarnwell
