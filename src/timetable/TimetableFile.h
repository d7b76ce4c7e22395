#pragma once
// The timetable text format (".KRX" files and the add file): reading every
// flight of a file, and writing one flight as a line.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

class TextLineWriter;

// The add file that the real-world merge leaves for the next compile.
inline constexpr const char* AddFileName = "carrierADD.txt";

// The largest timetable or add file read: 100001 flights of at most 24
// fields each fit in 64 MiB with room to spare (a written flight line is
// under 100 bytes, and the whole world's benchmark timetable is 7 MB), so a
// larger file is refused before any of it is read.
inline constexpr std::uintmax_t ScheduleFileLimit = std::uintmax_t{64} << 20;

// Reads every flight of a timetable-format file. `isTimetable` turns a blank
// Equipment into "734" (the add file keeps it blank). Throws TarnwellError
// naming the file, line and field for malformed numbers, a field holding a
// control byte, a file that ends in the middle of a flight, or more flights
// than the schedule tables hold; and naming the file for a file over
// ScheduleFileLimit or anything that is not a regular file. With `lines`,
// fills (*lines)[i] with the line where flight i begins.
std::vector<ScheduleRecord> ReadScheduleFile(const std::filesystem::path& path, bool isTimetable,
                                             std::vector<std::int64_t>* lines = nullptr);
// The same over text already in memory; `label` names it in errors.
std::vector<ScheduleRecord> ReadScheduleText(std::string label, std::string content, bool isTimetable);

// Appends one flight as a line of the timetable format: its 24 fields in
// order, texts at full width, each number with a blank before and after.
void WriteScheduleLine(TextLineWriter& out, const ScheduleRecord& r);

}  // namespace tarnwell
