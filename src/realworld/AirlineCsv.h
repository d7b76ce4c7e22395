#pragma once
// The real-world airline list made from a CSV file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/AirlineRecord.h"

namespace tarnwell {

// The airlines of an airline CSV: a header row naming the columns code, name
// and extra (any order, any case; other columns are ignored), then one
// airline per row. Fields are separated by commas; a field in double quotes
// may hold commas and line ends, and "" inside it is one quote. Values are
// taken as they are, not trimmed, and cut or padded to the record's widths.
// The text is UTF-8 and is stored in Windows-1252, '?' for a character that
// code page lacks. Empty lines are skipped. Throws TarnwellError naming
// `label` and the line (and column) for: a missing header or column, a row
// with another number of fields than the header or more than 256, an empty
// code, a broken quote, no airline at all or more than RealAirlineCapacity.
std::vector<AirlineRecord> ParseAirlineCsv(const std::string& label, std::string_view content);

// Writes the real-world airline list into `dataFolder` from the CSV file and
// returns its airlines. The list is written beside the old one and replaces
// it only when complete; on any error the old list stays as it was.
std::vector<AirlineRecord> ImportAirlines(const std::filesystem::path& dataFolder, const std::filesystem::path& csv);

}  // namespace tarnwell
