#include "timetable/MergeOrder.h"

#include <optional>
#include <string>

#include "common/Errors.h"
#include "timetable/MergeBlockList.h"
#include "timetable/PackedScheduleKey.h"
#include "timetable/TrimEqualKeys.h"

// With le(x) = "x below K or trim-equal to K" and ge(x) = "x above K or
// trim-equal to K", the first enclosing pair (k, k + 1) is found from i0, the
// first entry with le, and j, the first entry after i0 with ge: any k with
// le(L[k]) is at least i0, entries strictly between i0 and j are below K and
// not trim-equal, so L[j - 1] has le and no earlier k has ge(L[k + 1]).
// Hence K goes in front of L[j], or nowhere when i0 or j does not exist.

namespace tarnwell {
namespace {

void ThrowIfFull(std::size_t listSize, std::int32_t capacity, std::int32_t flight) {
    if (capacity < 0 || listSize >= static_cast<std::size_t>(capacity)) {
        throw TarnwellError(ErrorKind::Overflow, "timetable flight " + std::to_string(flight) +
                                                     " does not fit: the schedule holds at most " +
                                                     std::to_string(capacity) + " flights");
    }
}

// Where `key` (packed: `packed`) goes in the list.
MergeBlockList::Place PlaceOf(const MergeBlockList& list, const ScheduleKey& key, std::uint64_t packed) {
    // The trim-equal keys below K already pass le by being below, those
    // above K already pass ge.
    PackedKeySet trimEqualAtOrAbove;
    PackedKeySet trimEqualAtOrBelow;
    for (const std::uint64_t x : TrimEqualKeysOf(key)) {
        if (x >= packed) trimEqualAtOrAbove.Add(x);
        if (x <= packed) trimEqualAtOrBelow.Add(x);
    }

    std::optional<MergeBlockList::Place> place;
    if (const auto low = list.FindFirstNotAbove(packed, trimEqualAtOrAbove)) {
        place = list.FindFirstNotBelowAfter(*low, packed, trimEqualAtOrBelow);
    }
    if (place) return *place;
    return list.Size() > 0 && packed < list.First() ? MergeBlockList::Place{0, 0} : list.End();
}

}  // namespace

std::vector<MergedEntry> MergeOrder(std::span<const ScheduleKey> added, std::span<const ScheduleKey> timetable,
                                    std::int32_t capacity, const std::function<void(std::int32_t)>& beforeEach) {
    MergeBlockList list(added, added.size() + timetable.size());
    for (std::size_t t = 0; t < timetable.size(); ++t) {
        const auto flight = static_cast<std::int32_t>(t);
        if (beforeEach) beforeEach(flight);
        ThrowIfFull(list.Size(), capacity, flight);
        const std::uint64_t packed = PackScheduleKey(timetable[t]);
        list.Insert(PlaceOf(list, timetable[t], packed), packed, MergedEntry{true, flight});
    }
    return list.Entries();
}

}  // namespace tarnwell
