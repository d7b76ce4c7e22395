#include "timetable/ScheduleSort.h"

#include "timetable/ExchangeSortOrder.h"
#include "timetable/MergeOrder.h"

namespace tarnwell {

namespace {

// The step's own name, whether it sorts or merges.
constexpr const char* SortingWork = "Sorting VA Data";
constexpr std::int64_t AdvanceEvery = 1024;  // flights placed between two counts of the sort

}  // namespace

std::string FormatCount4(std::int32_t n) {
    std::string digits = std::to_string(n);
    if (n >= 0 && digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

void SortVAData(std::vector<ScheduleRecord>& Schedule, std::span<const ScheduleRecord> AddSchedule, Progress& progress) {
    std::vector<ScheduleKey> keys;
    keys.reserve(Schedule.size());
    for (const auto& r : Schedule) keys.push_back(KeyOf(r));

    std::vector<ScheduleRecord> ordered;
    ordered.reserve(Schedule.size() + AddSchedule.size());
    if (AddSchedule.empty()) {
        const auto total = static_cast<std::int64_t>(Schedule.size());
        progress.Advance(SortingWork, 0, total);
        const std::vector<std::int32_t> order = ExchangeSortOrder(keys);
        for (std::int32_t from : order) {
            ordered.push_back(Schedule[static_cast<std::size_t>(from)]);
            const auto done = static_cast<std::int64_t>(ordered.size());
            if (done % AdvanceEvery == 0 || done == total) progress.Advance(SortingWork, done, total);
        }
    } else {
        std::vector<ScheduleKey> addedKeys;
        addedKeys.reserve(AddSchedule.size());
        for (const auto& r : AddSchedule) addedKeys.push_back(KeyOf(r));
        const std::string last = FormatCount4(static_cast<std::int32_t>(Schedule.size()) - 1);
        const auto total = static_cast<std::int64_t>(Schedule.size());
        const auto merged = MergeOrder(addedKeys, keys, ScheduleCapacity, [&](std::int32_t i) {
            progress.SetStatus("Adding VA Data " + FormatCount4(i) + " of " + last, StatusKind::Progress);
            progress.Advance(SortingWork, i, total);
        });
        progress.Advance(SortingWork, total, total);
        for (const MergedEntry& e : merged) {
            const auto at = static_cast<std::size_t>(e.index);
            ordered.push_back(e.fromTimetable ? Schedule[at] : AddSchedule[at]);
        }
    }
    // Every flight read finds its place: the merged list holds every flight
    // of both tables.
    Schedule = std::move(ordered);
}

}  // namespace tarnwell
