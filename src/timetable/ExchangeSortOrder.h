#pragma once
// The order the exchange sort of the compile leaves the schedule table in:
// every position i is compared with every later position j and the two
// records are swapped when key[i] > key[j]. Run as written that takes
// quadratic time; this gives the same order in O(n log n).

#include <cstdint>
#include <span>
#include <vector>

#include "records/ScheduleRecord.h"

namespace tarnwell {

// Final order of the exchange sort: result[k] is the original index of the
// record that ends at position k. Keys end ascending (byte order); records
// with equal keys end in the order the swaps leave them, which is not
// necessarily file order (keys B, B, A end as A, second B, first B).
std::vector<std::int32_t> ExchangeSortOrder(std::span<const ScheduleKey> keys);

}  // namespace tarnwell
