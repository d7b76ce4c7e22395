#include "timetable/TrimEqualKeys.h"

#include <algorithm>

namespace tarnwell {

PackedKeySet TrimEqualKeysOf(const ScheduleKey& key) {
    std::size_t first = 0;
    while (first < ScheduleKeyWidth && key[first] == ' ') ++first;
    PackedKeySet set;
    if (first == ScheduleKeyWidth) {  // all blanks: trim-equal only to itself
        set.Add(PackScheduleKey(key));
        return set;
    }
    std::size_t last = ScheduleKeyWidth - 1;
    while (key[last] == ' ') --last;
    const std::size_t length = last - first + 1;
    for (std::size_t offset = 0; offset + length <= ScheduleKeyWidth; ++offset) {
        ScheduleKey shifted;
        shifted.fill(' ');
        std::copy_n(key.begin() + static_cast<std::ptrdiff_t>(first), length,
                    shifted.begin() + static_cast<std::ptrdiff_t>(offset));
        set.Add(PackScheduleKey(shifted));
    }
    return set;
}

}  // namespace tarnwell
