#pragma once
// The order of the add file. The real-world merge writes the added flights
// in the order of the real-world route set (by origin and destination); the
// compile merges the timetable into them on that assumption, so flights out
// of that order would give departure blocks that hold other airports' routes.

#include <cstdint>
#include <span>
#include <string>

#include "records/ScheduleRecord.h"

namespace tarnwell {

// Throws TarnwellError(ErrorKind::Input) naming `label` and the line
// (lines[i] is flight i's) of the first added flight whose origin and
// destination come before the flight's before it, and telling the user to
// run the real-world merge again.
void CheckAddFileOrder(std::span<const ScheduleRecord> added, const std::string& label,
                       std::span<const std::int64_t> lines);

}  // namespace tarnwell
