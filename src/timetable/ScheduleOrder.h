#pragma once
// Where flights end up in the schedule table.
//
// The table is ordered by the exchange sort of the compile (every position i
// is compared with every later position j and the two records are swapped
// when key[i] > key[j]), and flights of the timetable are placed one by one
// among the flights of the add file. Both procedures take quadratic time when
// run as written; the functions here give exactly the same orders in
// O(n log n) and about O(n sqrt n) time.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

// Final order of the exchange sort: result[k] is the original index of the
// record that ends at position k. Keys end ascending (byte order); records
// with equal keys end in the order the swaps leave them, which is not
// necessarily file order (keys B, B, A end as A, second B, first B).
std::vector<std::int32_t> ExchangeSortOrder(std::span<const ScheduleKey> keys);

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
