#pragma once
// The two orderings exactly as the compile runs them, in quadratic time: the
// oracles the fast orders are compared with.

#include <cstring>
#include <numeric>
#include <string>

#include "common/FixedText.h"
#include "records/ScheduleRecord.h"

namespace tarnwell::testing {

inline bool KeyLess(const ScheduleKey& a, const ScheduleKey& b) {
    return std::memcmp(a.data(), b.data(), a.size()) < 0;  // memcmp compares unsigned bytes
}

inline bool TrimEqual(const ScheduleKey& a, const ScheduleKey& b) {
    return TrimBlanks({a.data(), a.size()}) == TrimBlanks({b.data(), b.size()});
}

inline std::vector<std::int32_t> LiteralExchangeSort(std::vector<ScheduleKey> keys) {
    std::vector<std::int32_t> index(keys.size());
    std::iota(index.begin(), index.end(), 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i; j < keys.size(); ++j) {
            if (KeyLess(keys[j], keys[i])) {
                std::swap(keys[i], keys[j]);
                std::swap(index[i], index[j]);
            }
        }
    }
    return index;
}

// The merged list named "A3" for added[3], "T0" for timetable[0].
inline std::vector<std::string> LiteralMerge(const std::vector<ScheduleKey>& added,
                                             const std::vector<ScheduleKey>& timetable) {
    std::vector<ScheduleKey> keys = added;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < added.size(); ++i) names.push_back("A" + std::to_string(i));
    for (std::size_t t = 0; t < timetable.size(); ++t) {
        const ScheduleKey& k = timetable[t];
        std::size_t at = !keys.empty() && KeyLess(k, keys.front()) ? 0 : keys.size();  // when no pair encloses k
        for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
            if ((KeyLess(keys[i], k) || TrimEqual(k, keys[i])) && (KeyLess(k, keys[i + 1]) || TrimEqual(keys[i + 1], k))) {
                at = i + 1;
                break;
            }
        }
        keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), k);
        names.insert(names.begin() + static_cast<std::ptrdiff_t>(at), "T" + std::to_string(t));
    }
    return names;
}

}  // namespace tarnwell::testing
