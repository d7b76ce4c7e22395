#pragma once
// Putting the flights of a compile in order: the timetable sorted, or merged
// into the added flights of the real-world merge.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Progress.h"
#include "records/ScheduleRecord.h"

namespace tarnwell {

// "Sorting VA Data": sorts Schedule by key, or, when there are added flights,
// merges Schedule into them; Schedule then holds the merged list. The merge
// shows "Adding VA Data i of n" (both counts at least four digits) before
// placing each timetable flight. Both count their flights (Progress::Advance:
// "Sorting VA Data", done of the timetable's flights).
void SortVAData(std::vector<ScheduleRecord>& Schedule, std::span<const ScheduleRecord> AddSchedule,
                Progress& progress);

// "0000" formatting of the merge's progress text.
std::string FormatCount4(std::int32_t n);

}  // namespace tarnwell
