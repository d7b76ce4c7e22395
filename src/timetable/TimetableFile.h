#pragma once
// The timetable text format (".KRX" files and the add file): reading every
// flight of a file, and writing one flight as a line.

#include <filesystem>
#include <string>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

class TextLineWriter;

// The add file that the real-world merge leaves for the next compile.
inline constexpr const char* AddFileName = "carrierADD.txt";

// Reads every flight of a timetable-format file. `isTimetable` turns a blank
// Equipment into "734" (the add file keeps it blank). Throws TarnwellError
// naming the file, line and field for malformed numbers, a file that ends in
// the middle of a flight, or more flights than the schedule tables hold.
std::vector<ScheduleRecord> ReadScheduleFile(const std::filesystem::path& path, bool isTimetable);
// The same over text already in memory; `label` names it in errors.
std::vector<ScheduleRecord> ReadScheduleText(std::string label, std::string content, bool isTimetable);

// Appends one flight as a line of the timetable format: its 24 fields in
// order, texts at full width, each number with a blank before and after.
void WriteScheduleLine(TextLineWriter& out, const ScheduleRecord& r);

}  // namespace tarnwell
