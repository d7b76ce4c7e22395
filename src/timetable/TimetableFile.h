#pragma once
// Reading the timetable and the add file, putting the flights in order, and
// turning them into routes.

#include <filesystem>
#include <string>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

class TextLineWriter;
struct ProgramState;
class Port;

// The add file that the real-world merge leaves for the next compile.
inline constexpr const char* AddFileName = "carrierADD.txt";

// Reads every flight of a timetable-format file. `isTimetable` turns a blank
// Equipment into "734" (the add file keeps it blank). Throws TarnwellError
// naming the file, line and field for malformed numbers, a file that ends in
// the middle of a flight, or more flights than the schedule tables hold.
std::vector<ScheduleRecord> ReadScheduleFile(const std::filesystem::path& path, bool isTimetable);
// The same over text already in memory; `label` names it in errors.
std::vector<ScheduleRecord> ReadScheduleText(std::string label, std::string content, bool isTimetable);

// "Getting VA Data": reads the waiting add file and the chosen timetable into
// AddSchedule and Schedule and sizes Routes. The add file is deleted only
// once the timetable has been read too.
void GetVAData(ProgramState& state, Port& port, const std::filesystem::path& timetable);

// The timetable alone, for building the real-world route set: reads it into
// Schedule like GetVAData but never looks at the add file, which stays for
// the next compile. AddSchedule is left empty, so SortVAData sorts.
void GetTimetableData(ProgramState& state, Port& port, const std::filesystem::path& timetable);

// "Sorting VA Data": sorts Schedule by key, or merges it into the added
// flights when an add file was read.
void SortVAData(ProgramState& state, Port& port);

// "Moving Data to Routes": one route per flight, in schedule order.
void MoveDataToRoutes(ProgramState& state, Port& port);

// The route fields made from a flight's flag columns.
std::uint8_t DayMaskOf(const ScheduleRecord& r);
char CodeLetterOf(const ScheduleRecord& r);  // '\0' when no letter flag is set
std::uint8_t MaskBitsOf(const ScheduleRecord& r);

// Appends one flight as a line of the timetable format: its 24 fields in
// order, texts at full width, each number with a blank before and after.
void WriteScheduleLine(TextLineWriter& out, const ScheduleRecord& r);

// "0000" formatting of the merge's progress text.
std::string FormatCount4(std::int32_t n);

}  // namespace tarnwell
