#pragma once
// The schedule tables of a compile filled from the chosen timetable and the
// add file the real-world merge may have left.

#include <filesystem>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

// "Getting VA Data": reads the waiting add file (when there is one) into
// AddSchedule and the chosen timetable into Schedule, both emptied first.
// True when an add file was read: the compile removes it once its route set
// is in place, and never before. A timetable and add file without any
// flight is an error.
bool GetVAData(const std::filesystem::path& timetable, const std::filesystem::path& addFile,
               std::vector<ScheduleRecord>& Schedule, std::vector<ScheduleRecord>& AddSchedule);

// The timetable alone, for building the real-world route set: reads it into
// Schedule like GetVAData but never looks at the add file, which stays for
// the next compile. AddSchedule is emptied, so SortVAData sorts.
void GetTimetableData(const std::filesystem::path& timetable, std::vector<ScheduleRecord>& Schedule,
                      std::vector<ScheduleRecord>& AddSchedule);

}  // namespace tarnwell
