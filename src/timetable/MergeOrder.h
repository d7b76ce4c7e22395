#pragma once
// Where the flights of the timetable end up among the flights of the add
// file. The compile places them one by one, searching the list each time:
// quadratic time when run as written; this gives the same order in about
// O(n sqrt n).

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

// One entry of the merged list: an index into the added list
// (fromTimetable == false) or into the timetable list.
struct MergedEntry {
    bool fromTimetable;
    std::int32_t index;
};

// Places every timetable key, in timetable order, into the list that starts
// as the added keys. Key K goes in front of the first entry L[k + 1] such
// that L[k] is below K or trim-equal to it and L[k + 1] is above K or
// trim-equal to it ("trim-equal": the same once leading and trailing blanks
// are removed). When no neighbouring pair encloses K it goes in front of
// L[0] if it is below L[0], else at the end. `added` is normally not empty;
// when it is, the first timetable key simply starts the list.
//
// beforeEach(i) is called before timetable flight i is placed. Throws
// TarnwellError(ErrorKind::Overflow) naming flight i when placing it would
// make the list longer than `capacity` (beforeEach(i) has been called then).
std::vector<MergedEntry> MergeOrder(std::span<const ScheduleKey> added,
                                    std::span<const ScheduleKey> timetable,
                                    std::int32_t capacity,
                                    const std::function<void(std::int32_t)>& beforeEach);

}  // namespace tarnwell
